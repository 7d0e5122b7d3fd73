#include "platform/x11/x_desktop_geometry_watch.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace qrv {

XDesktopGeometryWatch::XDesktopGeometryWatch(Display* display) : m_pDisplay(display) {
    Window root = DefaultRootWindow(m_pDisplay);
    // Monitors set or removed show as a reconfigured root window, outputs and
    // modes as RandR events.
    XSelectInput(m_pDisplay, root, StructureNotifyMask);
    int eventBase = 0;
    int errorBase = 0;
    if (XRRQueryExtension(m_pDisplay, &eventBase, &errorBase)) {
        XRRSelectInput(
            m_pDisplay, root,
            RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
    }
}

const XDesktopGeometry& XDesktopGeometryWatch::Current() {
    if (TakeChanges() || !m_geometry) {
        m_geometry = XDesktopGeometry::Query(m_pDisplay);
    }
    return *m_geometry;
}

// Drains the connection's events, all of which are layout changes, keeping
// Xlib's idea of the screen size up to date. Tells whether there were any.
bool XDesktopGeometryWatch::TakeChanges() {
    bool changed = false;
    while (XPending(m_pDisplay) > 0) {
        XEvent event;
        XNextEvent(m_pDisplay, &event);
        XRRUpdateConfiguration(&event);
        changed = true;
    }
    return changed;
}

}  // namespace qrv
