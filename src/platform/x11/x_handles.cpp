#include "platform/x11/x_handles.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

namespace qrv {

void XFreeDeleter::operator()(void* memory) const {
    XFree(memory);
}

void XImageDeleter::operator()(_XImage* image) const {
    XDestroyImage(image);
}

void XkbDescDeleter::operator()(_XkbDesc* keyboard) const {
    XkbFreeKeyboard(keyboard, 0, True);
}

void XRRMonitorsDeleter::operator()(_XRRMonitorInfo* monitors) const {
    XRRFreeMonitors(monitors);
}

}  // namespace qrv
