#pragma once

#include <optional>
#include <string_view>

namespace qrv {

// The desktop-wide switch that makes applications expose their controls.
class AccessibilitySwitch {
  public:
    static constexpr std::string_view kSwitchedOffQuestion =
        "Accessibility support is switched off on this desktop, so the controls of other "
        "applications cannot be read or clicked.\n\nSwitch it on now? Applications that are "
        "already running may have to be restarted before their controls appear.";

    virtual ~AccessibilitySwitch() = default;
    // None when the state cannot be read (no accessibility bus).
    virtual std::optional<bool> IsEnabled() = 0;
    // True when the switch was set.
    virtual bool Enable() = 0;
};

}  // namespace qrv
