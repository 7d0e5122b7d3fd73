#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/desktop/automation_element.h"

namespace qrv {

// An element of an in-memory accessibility tree that counts the actions
// performed on it.
class FakeElement : public AutomationElement {
  public:
    struct Props {
        std::string name{};
        std::string value{};
        bool invokable = false;
        bool canSetValue = false;
        ElementKind kind = ElementKind::Other;
        int64_t processId = 0;
        bool actionsSucceed = true;
        bool managesDescendants = false;
        std::optional<Rect> bounds{};
    };

    explicit FakeElement(Props props) : props(std::move(props)) {}
    // Appends a child and returns it.
    std::shared_ptr<FakeElement> Add(Props childProps) {
        auto child = std::make_shared<FakeElement>(std::move(childProps));
        m_children.push_back(child);
        return child;
    }

    std::string Name() override { return props.name; }
    std::string Value() override { return props.value; }
    bool CanSetValue() override { return props.canSetValue; }
    ElementKind Kind() override { return props.kind; }
    bool IsInvokable() override { return props.invokable; }
    int64_t ProcessId() override { return props.processId; }
    std::vector<ElementPtr> Children(size_t limit) override {
        ++childListings;
        if (onChildren) {
            onChildren();
        }
        return {m_children.begin(), m_children.begin() + std::min(limit, m_children.size())};
    }
    bool ManagesDescendants() override { return props.managesDescendants; }
    std::optional<Rect> ScreenBounds() override { return props.bounds; }
    // A real backend has no action to perform on an element that is not invocable.
    bool Invoke() override {
        invocations += props.invokable ? 1 : 0;
        return props.invokable && props.actionsSucceed;
    }
    bool Focus() override {
        ++focusRequests;
        return props.actionsSucceed;
    }

    Props props;
    int invocations = 0;
    int focusRequests = 0;
    int childListings = 0;
    std::function<void()> onChildren;  // runs whenever the children are read

  private:
    std::vector<ElementPtr> m_children;
};

}  // namespace qrv
