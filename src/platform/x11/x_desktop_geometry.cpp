#include "platform/x11/x_desktop_geometry.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

#include "platform/x11/x_handles.h"

namespace qrv {
namespace {

Rect Shifted(const Rect& rc, Point by) {
    return {rc.left - by.x, rc.top - by.y, rc.right - by.x, rc.bottom - by.y};
}

std::vector<Rect> RandrMonitors(Display* display, Window root) {
    std::vector<Rect> monitors;
    int count = 0;
    const XRRMonitorsPtr info(XRRGetMonitors(display, root, True, &count));
    for (int i = 0; info && i < count; ++i) {
        const XRRMonitorInfo& m = info.get()[i];
        Rect rc{m.x, m.y, m.x + m.width, m.y + m.height};
        if (m.primary) {
            monitors.insert(monitors.begin(), rc);
        } else {
            monitors.push_back(rc);
        }
    }
    return monitors;
}

}  // namespace

XDesktopGeometry::XDesktopGeometry(std::vector<Rect> monitors, int32_t rootWidth,
                                   int32_t rootHeight) {
    if (monitors.empty()) {
        monitors.push_back({0, 0, rootWidth, rootHeight});
    }
    m_origin = {monitors.front().left, monitors.front().top};
    Rect bounds = monitors.front();
    for (const Rect& rc : monitors) {
        bounds.left = std::min(bounds.left, rc.left);
        bounds.top = std::min(bounds.top, rc.top);
        bounds.right = std::max(bounds.right, rc.right);
        bounds.bottom = std::max(bounds.bottom, rc.bottom);
        m_monitors.push_back(Shifted(rc, m_origin));
    }
    m_virtual = Shifted(bounds, m_origin);
    m_root = Shifted({0, 0, rootWidth, rootHeight}, m_origin);
}

XDesktopGeometry XDesktopGeometry::Query(Display* display) {
    int screen = DefaultScreen(display);
    int eventBase = 0;
    int errorBase = 0;
    std::vector<Rect> monitors;
    int major = 0;
    int minor = 0;
    // Monitors arrived with RandR 1.5; older servers count as one monitor.
    if (XRRQueryExtension(display, &eventBase, &errorBase) &&
        XRRQueryVersion(display, &major, &minor) && (major > 1 || minor >= 5)) {
        monitors = RandrMonitors(display, RootWindow(display, screen));
    }
    return XDesktopGeometry(std::move(monitors), DisplayWidth(display, screen),
                            DisplayHeight(display, screen));
}

bool XDesktopGeometry::InsideOneMonitor(const Rect& rc) const {
    return std::any_of(m_monitors.begin(), m_monitors.end(), [&](const Rect& m) {
        return m.left <= rc.left && m.top <= rc.top && rc.right <= m.right && rc.bottom <= m.bottom;
    });
}

}  // namespace qrv
