#include "platform/x11/x_window_activator.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>

#include "platform/x11/x_display.h"
#include "platform/x11/x_error_trap.h"
#include "platform/x11/x_window_properties.h"

namespace qrv {
namespace {

constexpr long kSourcePager = 2;  // requests from pagers bypass focus stealing prevention

}  // namespace

XWindowActivator::XWindowActivator(const std::string& displayName)
    : m_display(XDisplay::Open(displayName)) {}

XWindowActivator::~XWindowActivator() = default;

void XWindowActivator::Activate(WindowId window) {
    if (!m_display || window == 0) {
        return;
    }
    Display* display = m_display->Get();
    XErrorTrap trap(display);
    if (ManagerActivates()) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = Window(window);
        event.xclient.message_type = m_display->Atom("_NET_ACTIVE_WINDOW");
        event.xclient.format = 32;
        event.xclient.data.l[0] = kSourcePager;
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, m_display->Root(), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    } else {
        XRaiseWindow(display, Window(window));
        XSetInputFocus(display, Window(window), RevertToParent, CurrentTime);
    }
    trap.Failed();
}

// A running manager names its check window on the root and on itself, and
// lists the active-window request among the hints it supports.
bool XWindowActivator::ManagerActivates() const {
    Display* display = m_display->Get();
    XWindowProperties root(display, m_display->Root());
    std::optional<unsigned long> check = root.Long("_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    if (!check ||
        XWindowProperties(display, *check).Long("_NET_SUPPORTING_WM_CHECK", XA_WINDOW) != check) {
        return false;
    }
    std::vector<unsigned long> supported = root.Longs("_NET_SUPPORTED", XA_ATOM);
    return std::count(supported.begin(), supported.end(), m_display->Atom("_NET_ACTIVE_WINDOW")) >
           0;
}

}  // namespace qrv
