#pragma once

#include <cstdint>

namespace qrv {

// Native top-level window identifier (an X11 window id, an HWND...).
using WindowId = uint64_t;

class WindowActivator {
  public:
    virtual ~WindowActivator() = default;
    // Makes the window the foreground window, raises it and gives it the focus.
    virtual void Activate(WindowId window) = 0;
};

}  // namespace qrv
