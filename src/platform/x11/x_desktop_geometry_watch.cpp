#include "platform/x11/x_desktop_geometry_watch.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace qrv {

XDesktopGeometryWatch::XDesktopGeometryWatch(Display* display) : m_display(display) {
    Window root = DefaultRootWindow(m_display);
    // Monitors set or removed show as a reconfigured root window, outputs and
    // modes as RandR events.
    XSelectInput(m_display, root, StructureNotifyMask);
    int eventBase = 0;
    int errorBase = 0;
    if (XRRQueryExtension(m_display, &eventBase, &errorBase)) {
        XRRSelectInput(
            m_display, root,
            RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
    }
}

const XDesktopGeometry& XDesktopGeometryWatch::Current() {
    if (TakeChanges() || !m_geometry) {
        m_geometry = XDesktopGeometry::Query(m_display);
    }
    return *m_geometry;
}

// Drains the connection's events, all of which are layout changes, keeping
// Xlib's idea of the screen size up to date. Tells whether there were any.
bool XDesktopGeometryWatch::TakeChanges() {
    bool changed = false;
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        XRRUpdateConfiguration(&event);
        changed = true;
    }
    return changed;
}

}  // namespace qrv
