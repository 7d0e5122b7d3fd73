#pragma once

#include <functional>
#include <memory>

#include "core/desktop/automation_element.h"

namespace qrv {

// A connection to the desktop's accessibility tree.
class AutomationTree {
  public:
    virtual ~AutomationTree() = default;
    // The desktop element, whose children are the top-level windows of all
    // applications; null when the tree cannot be read.
    virtual ElementPtr Root() = 0;
};

// Opens a connection; null when accessibility is unavailable.
using AutomationTreeFactory = std::function<std::shared_ptr<AutomationTree>()>;

}  // namespace qrv
