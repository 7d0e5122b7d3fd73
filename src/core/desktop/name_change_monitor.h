#pragma once

#include <functional>
#include <string>

#include "core/desktop/automation_element.h"

namespace qrv {

// Reports name changes of the elements inside one window.
class NameChangeMonitor {
  public:
    using Callback = std::function<void(const std::string& newName)>;
    virtual ~NameChangeMonitor() = default;
    // Reports every name change of an element below window (not of the window
    // itself) on the GUI thread until Unwatch; false when refused.
    virtual bool Watch(const ElementPtr& window, Callback onNameChanged) = 0;
    virtual void Unwatch() = 0;
};

}  // namespace qrv
