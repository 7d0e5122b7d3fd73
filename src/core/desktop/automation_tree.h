#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/desktop/automation_element.h"

namespace qrv {

// A connection to the desktop's accessibility tree.
class AutomationTree {
  public:
    virtual ~AutomationTree() = default;
    // The desktop element, whose children are the top-level windows of all
    // applications; null when the tree cannot be read.
    virtual ElementPtr Root() = 0;
    // The top-level window named exactly `name`, where the desktop looks it up
    // through its window system; null to have the caller search the root's
    // children instead.
    virtual ElementPtr TopLevelNamed(const std::string& name) {
        (void)name;
        return nullptr;
    }
};

// Opens a connection; null when accessibility is unavailable.
using AutomationTreeFactory = std::function<std::shared_ptr<AutomationTree>()>;

}  // namespace qrv
