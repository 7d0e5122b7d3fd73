#include "platform/x11/x_top_level_windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <optional>

#include "platform/x11/x_display.h"
#include "platform/x11/x_error_trap.h"
#include "platform/x11/x_handles.h"
#include "platform/x11/x_window_properties.h"

namespace qrv {
namespace {

// WM_STATE values of a managed window: shown, or minimised. Either is visible
// in the desktop's sense, also while the window sits on another workspace.
constexpr long kNormalState = 1;
constexpr long kIconicState = 3;

std::vector<Window> Children(Display* display, Window window) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    XErrorTrap trap(display);
    const bool ok = XQueryTree(display, window, &root, &parent, &children, &count);
    const XPtr<Window> owned(children);
    if (!ok || trap.Failed() || !children) {
        return {};
    }
    return std::vector<Window>(children, children + count);
}

bool Viewable(Display* display, Window window) {
    XWindowAttributes attributes;
    XErrorTrap trap(display);
    return XGetWindowAttributes(display, window, &attributes) && !trap.Failed() &&
           attributes.map_state == IsViewable;
}

std::optional<Rect> RectOnRoot(Display* display, Window window, Window root) {
    XWindowAttributes attributes;
    int x = 0;
    int y = 0;
    Window child = 0;
    XErrorTrap trap(display);
    if (!XGetWindowAttributes(display, window, &attributes) ||
        !XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child) || trap.Failed()) {
        return std::nullopt;
    }
    // The protocol keeps positions and sizes to 16 bits: the sums fit.
    return Rect{x, y, x + attributes.width, y + attributes.height};
}

// The root's child that holds the window: its window manager's frame, or the
// window itself.
Window TopAncestor(Display* display, Window window, Window root) {
    for (int depth = 0; depth < 16; ++depth) {
        Window rootReturn = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        XErrorTrap trap(display);
        const bool ok =
            XQueryTree(display, window, &rootReturn, &parent, &children, &count) && !trap.Failed();
        const XPtr<Window> owned(children);
        if (!ok || parent == root || parent == 0) {
            return window;
        }
        window = parent;
    }
    return window;
}

}  // namespace

XTopLevelWindows::XTopLevelWindows(const std::string& displayName)
    : m_display(XDisplay::Open(displayName)) {}

XTopLevelWindows::~XTopLevelWindows() = default;

std::vector<TopLevelWindow> XTopLevelWindows::Enumerate() {
    std::vector<TopLevelWindow> windows;
    if (!m_display) {
        return windows;
    }
    std::vector<unsigned long> clients =
        XWindowProperties(m_display->Get(), m_display->Root()).Longs("_NET_CLIENT_LIST", XA_WINDOW);
    if (clients.empty()) {
        clients = RootChildClients();
    }
    std::vector<unsigned long> modalOwners;
    for (unsigned long window : clients) {
        windows.push_back(Describe(window));
        if (windows.back().visible) {
            if (std::optional<unsigned long> owner = ModalOwner(window)) {
                modalOwners.push_back(*owner);
            }
        }
    }
    // A window that shows a modal dialog takes no input: it is not enabled.
    for (TopLevelWindow& window : windows) {
        window.enabled = std::count(modalOwners.begin(), modalOwners.end(), window.id) == 0;
    }
    return windows;
}

std::optional<unsigned long> XTopLevelWindows::ModalOwner(unsigned long window) const {
    XWindowProperties properties(m_display->Get(), window);
    std::vector<unsigned long> state = properties.Longs("_NET_WM_STATE", XA_ATOM);
    if (std::count(state.begin(), state.end(), m_display->Atom("_NET_WM_STATE_MODAL")) == 0) {
        return std::nullopt;
    }
    // Transient for the root or nothing: modal for a whole group, not one window.
    std::optional<unsigned long> owner = properties.Long("WM_TRANSIENT_FOR", XA_WINDOW);
    if (!owner || *owner == 0 || *owner == m_display->Root()) {
        return std::nullopt;
    }
    return owner;
}

// Without a client list: the root's mapped, managed-looking children, each
// replaced by the client inside it when it is a window manager's frame.
std::vector<unsigned long> XTopLevelWindows::RootChildClients() const {
    Display* display = m_display->Get();
    std::vector<unsigned long> clients;
    for (Window child : Children(display, m_display->Root())) {
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
    Display* display = m_display->Get();
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
    Display* display = m_display->Get();
    XWindowProperties properties(display, window);
    TopLevelWindow info;
    info.id = window;
    info.title = properties.Title();
    info.processId = int64_t(properties.Long("_NET_WM_PID", XA_CARDINAL).value_or(0));
    std::vector<unsigned long> state = properties.Longs("_NET_WM_STATE", XA_ATOM);
    auto has = [&](const char* name) {
        return std::count(state.begin(), state.end(), m_display->Atom(name)) > 0;
    };
    const long wmState = long(properties.Long("WM_STATE", m_display->Atom("WM_STATE")).value_or(0));
    // A manager that keeps _NET_WM_STATE marks minimised windows hidden there;
    // it may make windows of other workspaces iconic as well.
    info.minimized =
        properties.Has("_NET_WM_STATE") ? has("_NET_WM_STATE_HIDDEN") : wmState == kIconicState;
    info.maximized = has("_NET_WM_STATE_MAXIMIZED_VERT") && has("_NET_WM_STATE_MAXIMIZED_HORZ");
    info.visible = Viewable(display, window) || wmState == kNormalState || wmState == kIconicState;
    const Window root = m_display->Root();
    info.clientRect = RectOnRoot(display, window, root);
    info.frameRect = RectOnRoot(display, TopAncestor(display, window, root), root);
    return info;
}

}  // namespace qrv
