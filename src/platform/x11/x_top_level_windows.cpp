#include "x11/x_top_level_windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>

#include "x11/x_display.h"
#include "x11/x_error_trap.h"
#include "x11/x_window_properties.h"

namespace qrv {
namespace {

constexpr long kIconicState = 3;  // WM_STATE value of a minimised window

std::vector<Window> Children(Display* display, Window window) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    XErrorTrap trap(display);
    if (!XQueryTree(display, window, &root, &parent, &children, &count) || trap.Failed()) {
        return {};
    }
    std::vector<Window> list(children, children + count);
    if (children) {
        XFree(children);
    }
    return list;
}

}  // namespace

XTopLevelWindows::XTopLevelWindows(const std::string& displayName)
    : m_pDisplay(XDisplay::Open(displayName)) {}

XTopLevelWindows::~XTopLevelWindows() = default;

std::vector<TopLevelWindow> XTopLevelWindows::Enumerate() {
    std::vector<TopLevelWindow> windows;
    if (!m_pDisplay) {
        return windows;
    }
    std::vector<unsigned long> clients = XWindowProperties(m_pDisplay->Get(), m_pDisplay->Root())
                                             .Longs("_NET_CLIENT_LIST", XA_WINDOW);
    if (clients.empty()) {
        clients = RootChildClients();
    }
    for (unsigned long window : clients) {
        windows.push_back(Describe(window));
    }
    return windows;
}

// Without a client list: the root's mapped, managed-looking children, each
// replaced by the client inside it when it is a window manager's frame.
std::vector<unsigned long> XTopLevelWindows::RootChildClients() const {
    Display* display = m_pDisplay->Get();
    std::vector<unsigned long> clients;
    for (Window child : Children(display, m_pDisplay->Root())) {
        XWindowAttributes attributes;
        XErrorTrap trap(display);
        if (!XGetWindowAttributes(display, child, &attributes) || trap.Failed() ||
            attributes.map_state != IsViewable || attributes.override_redirect) {
            continue;
        }
        clients.push_back(ClientOf(child));
    }
    return clients;
}

unsigned long XTopLevelWindows::ClientOf(unsigned long frame) const {
    Display* display = m_pDisplay->Get();
    if (XWindowProperties(display, frame).Has("WM_STATE")) {
        return frame;
    }
    std::vector<Window> children = Children(display, frame);
    auto client = std::find_if(children.begin(), children.end(), [&](Window w) {
        return XWindowProperties(display, w).Has("WM_STATE");
    });
    return client == children.end() ? frame : *client;
}

TopLevelWindow XTopLevelWindows::Describe(unsigned long window) const {
    Display* display = m_pDisplay->Get();
    XWindowProperties properties(display, window);
    TopLevelWindow info;
    info.id = window;
    info.title = properties.Title();
    info.processId = int64_t(properties.Long("_NET_WM_PID", XA_CARDINAL).value_or(0));
    std::vector<unsigned long> state = properties.Longs("_NET_WM_STATE", XA_ATOM);
    auto has = [&](const char* name) {
        return std::count(state.begin(), state.end(), m_pDisplay->Atom(name)) > 0;
    };
    Atom wmState = m_pDisplay->Atom("WM_STATE");
    bool iconic = properties.Long("WM_STATE", wmState).value_or(0) == kIconicState;
    info.minimized = has("_NET_WM_STATE_HIDDEN") || iconic;
    info.maximized = has("_NET_WM_STATE_MAXIMIZED_VERT") && has("_NET_WM_STATE_MAXIMIZED_HORZ");
    XWindowAttributes attributes;
    XErrorTrap trap(display);
    bool mapped = XGetWindowAttributes(display, window, &attributes) && !trap.Failed() &&
                  attributes.map_state == IsViewable;
    info.visible = mapped && !info.minimized;
    return info;
}

}  // namespace qrv
