#include "platform/x11/x_focus_client_sync.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>

#include "platform/x11/x_error_trap.h"
#include "platform/x11/x_handles.h"

namespace qrv {
namespace {

// A client that takes longer is stuck; the caller goes on without it.
constexpr std::chrono::seconds kAnswerLimit{3};

}  // namespace

XFocusClientSync::XFocusClientSync(Display* display)
    : m_display(display),
      m_protocols(XInternAtom(display, "WM_PROTOCOLS", False)),
      m_ping(XInternAtom(display, "_NET_WM_PING", False)) {}

void XFocusClientSync::Wait() {
    const Window root = DefaultRootWindow(m_display);
    Window client = None;
    {
        XErrorTrap trap(m_display);  // windows may go away while they are looked at
        client = FocusedClient();
        if (trap.Failed()) {
            return;
        }
    }
    if (client == None) {
        return;
    }
    // The answer goes to the root window, to whoever listens there.
    XSelectInput(m_display, root, SubstructureNotifyMask);
    XEvent ping{};
    ping.xclient.type = ClientMessage;
    ping.xclient.window = client;
    ping.xclient.message_type = m_protocols;
    ping.xclient.format = 32;
    ping.xclient.data.l[0] = long(m_ping);
    ping.xclient.data.l[1] = ++m_token;
    ping.xclient.data.l[2] = long(client);
    {
        XErrorTrap trap(m_display);
        XSendEvent(m_display, client, False, NoEventMask, &ping);
        if (!trap.Failed()) {
            AwaitAnswer(client, m_token);
        }
    }
    XSelectInput(m_display, root, NoEventMask);
    XSync(m_display, True);  // drops what arrived meanwhile
}

// The client window that gets the keys: the focus window or, when the focus
// follows the pointer, the window under it; None when it answers no pings.
Window XFocusClientSync::FocusedClient() {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    // Focus on the root window, as after its owner went away, also sends the
    // keys to the window under the pointer.
    if (focus == PointerRoot || focus == DefaultRootWindow(m_display)) {
        return ClientUnderPointer();
    }
    return focus == None ? None : ClientAbove(focus);
}

Window XFocusClientSync::ClientUnderPointer() {
    Window window = DefaultRootWindow(m_display);
    while (window != None) {
        if (AnswersPing(window)) {
            return window;
        }
        Window root = None;
        Window child = None;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned mask = 0;
        if (!XQueryPointer(m_display, window, &root, &child, &rootX, &rootY, &x, &y, &mask)) {
            return None;
        }
        window = child;
    }
    return None;
}

// The window itself or the nearest ancestor that answers pings.
Window XFocusClientSync::ClientAbove(Window window) {
    while (window != None) {
        if (AnswersPing(window)) {
            return window;
        }
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_display, window, &root, &parent, &children, &count)) {
            return None;
        }
        XPtr<Window> owned(children);
        window = parent == root ? None : parent;
    }
    return None;
}

bool XFocusClientSync::AnswersPing(Window window) {
    Atom* protocols = nullptr;
    int count = 0;
    if (!XGetWMProtocols(m_display, window, &protocols, &count)) {
        return false;
    }
    XPtr<Atom> owned(protocols);
    for (int i = 0; i < count; ++i) {
        if (protocols[i] == m_ping) {
            return true;
        }
    }
    return false;
}

bool XFocusClientSync::AwaitAnswer(Window window, long token) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + kAnswerLimit;
    for (;;) {
        while (XPending(m_display)) {
            XEvent event;
            XNextEvent(m_display, &event);
            const XClientMessageEvent& answer = event.xclient;
            if (event.type == ClientMessage && answer.message_type == m_protocols &&
                Atom(answer.data.l[0]) == m_ping && answer.data.l[1] == token &&
                Window(answer.data.l[2]) == window) {
                return true;
            }
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd connection{ConnectionNumber(m_display), POLLIN, 0};
        poll(&connection, 1, int(left.count()));
    }
}

}  // namespace qrv
