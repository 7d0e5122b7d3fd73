#pragma once

#include "core/desktop/window_activator.h"

namespace qrv::win32 {

// SetForegroundWindow, BringWindowToTop and SetFocus on the window.
class Win32WindowActivator : public WindowActivator {
  public:
    void Activate(WindowId window) override;
};

}  // namespace qrv::win32
