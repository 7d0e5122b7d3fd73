#pragma once

#include <memory>

#include "core/desktop/automation_tree.h"
#include "fakes/automation_fake_element.h"

namespace qrv {

// An in-memory desktop: windows are the children of `desktop`.
class AutomationFakeTree : public AutomationTree {
  public:
    ElementPtr Root() override {
        ++rootRequests;
        return rootAvailable ? desktop : nullptr;
    }

    // A factory that hands out `tree`, or null while `opens` is false.
    static AutomationTreeFactory FactoryOf(std::shared_ptr<AutomationFakeTree> tree) {
        return [tree]() -> std::shared_ptr<AutomationTree> {
            ++tree->openCount;
            return tree->opens ? tree : nullptr;
        };
    }

    std::shared_ptr<FakeElement> desktop = std::make_shared<FakeElement>(FakeElement::Props{});
    bool opens = true;
    bool rootAvailable = true;
    int openCount = 0;
    int rootRequests = 0;
};

}  // namespace qrv
