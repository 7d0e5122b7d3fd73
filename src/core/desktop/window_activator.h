#pragma once

#include <cstdint>
#include <string>

namespace qrv {

// Native top-level window identifier (an X11 window id, an HWND...).
using WindowId = uint64_t;

class WindowActivator {
  public:
    virtual ~WindowActivator() = default;
    // Makes the window the foreground window, raises it and gives it the focus.
    virtual void Activate(WindowId window) = 0;
    // Tells how the desktop lists this program's own window `window`: by its
    // application id and title. Desktops whose window list does not know the
    // program's ids then find that window so when asked to activate `window`.
    virtual void DescribeOwnWindow(WindowId /*window*/, const std::string& /*appId*/,
                                   const std::string& /*title*/) {}
};

}  // namespace qrv
