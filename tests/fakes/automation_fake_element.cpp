#include "fakes/automation_fake_element.h"

namespace qrv {

std::shared_ptr<FakeElement> FakeElement::Add(Props childProps) {
    auto child = std::make_shared<FakeElement>(std::move(childProps));
    m_children.push_back(child);
    return child;
}

bool FakeElement::Invoke() {
    // A real backend has no action to perform on an element that is not invocable.
    if (props.invokable) {
        ++invocations;
    }
    return props.invokable && props.actionsSucceed;
}

bool FakeElement::Focus() {
    ++focusRequests;
    return props.actionsSucceed;
}

}  // namespace qrv
