#pragma once

#include "core/desktop/accessibility_switch.h"

namespace qrv {

// The "IsEnabled" switch of the session's accessibility bus service.
class AccessibilityBusSwitch : public AccessibilitySwitch {
  public:
    std::optional<bool> IsEnabled() override;
    bool Enable() override;
};

}  // namespace qrv
