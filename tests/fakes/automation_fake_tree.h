#pragma once

#include <map>
#include <memory>
#include <string>

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
    ElementPtr TopLevelNamed(const std::string& name) override {
        auto it = named.find(name);
        return it == named.end() ? nullptr : it->second;
    }

    // A factory that hands out `tree`, or null while `opens` is false.
    static AutomationTreeFactory FactoryOf(std::shared_ptr<AutomationFakeTree> tree) {
        return [tree]() -> std::shared_ptr<AutomationTree> {
            ++tree->openCount;
            return tree->opens ? tree : nullptr;
        };
    }

    std::shared_ptr<FakeElement> desktop = std::make_shared<FakeElement>(FakeElement::Props{});
    // Windows the desktop looks up itself, by name; they need not be children
    // of `desktop`.
    std::map<std::string, ElementPtr> named;
    bool opens = true;
    bool rootAvailable = true;
    int openCount = 0;
    int rootRequests = 0;
};

}  // namespace qrv
