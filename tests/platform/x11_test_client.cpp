#include "x11_test_client.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <vector>

#include "platform/x11/x_handles.h"

namespace qrv::test {

uint32_t PatternColour(int x, int y) {
    return (uint32_t((x * 7 + y * 13) & 0xFF) << 16) | (uint32_t(x & 0xFF) << 8) |
           uint32_t((y ^ (x >> 8)) & 0xFF);
}

Window XTestClient::CreateWindow(int x, int y, int width, int height, bool overrideRedirect,
                                 const std::string& title, long eventMask,
                                 const std::function<void(Window)>& beforeMap) {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = overrideRedirect;
    attributes.background_pixel = BlackPixel(m_pDisplay, DefaultScreen(m_pDisplay));
    attributes.event_mask = eventMask | StructureNotifyMask;
    Window window = XCreateWindow(m_pDisplay, Root(), x, y, unsigned(width), unsigned(height), 0,
                                  CopyFromParent, InputOutput, CopyFromParent,
                                  CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
    if (!title.empty()) {
        XStoreName(m_pDisplay, window, title.c_str());
        XChangeProperty(m_pDisplay, window, XInternAtom(m_pDisplay, "_NET_WM_NAME", False),
                        XInternAtom(m_pDisplay, "UTF8_STRING", False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title.data()), int(title.size()));
        long pid = getpid();
        XChangeProperty(m_pDisplay, window, XInternAtom(m_pDisplay, "_NET_WM_PID", False),
                        XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&pid),
                        1);
    }
    if (beforeMap) {
        beforeMap(window);
    }
    XMapWindow(m_pDisplay, window);
    XEvent event;
    NextEvent(window, MapNotify, event);
    WaitUntil([&] {
        XWindowAttributes a;
        XGetWindowAttributes(m_pDisplay, window, &a);
        return a.map_state == IsViewable;
    });
    return window;
}

void XTestClient::Destroy(Window window) {
    XDestroyWindow(m_pDisplay, window);
    XSync(m_pDisplay, False);
}

void XTestClient::FillPattern(Window window, int width, int height) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels.push_back(PatternColour(x, y));
    }
    const int screen = DefaultScreen(m_pDisplay);
    const XImagePtr image(XCreateImage(m_pDisplay, DefaultVisual(m_pDisplay, screen),
                                       unsigned(DefaultDepth(m_pDisplay, screen)), ZPixmap, 0,
                                       reinterpret_cast<char*>(pixels.data()), unsigned(width),
                                       unsigned(height), 32, 0));
    XPutImage(m_pDisplay, window, DefaultGC(m_pDisplay, screen), image.get(), 0, 0, 0, 0,
              unsigned(width), unsigned(height));
    image->data = nullptr;  // owned by the vector
    XSync(m_pDisplay, False);
}

Point XTestClient::PointerOnRoot() {
    Window root = 0, child = 0;
    int x = 0, y = 0, wx = 0, wy = 0;
    unsigned int mask = 0;
    XQueryPointer(m_pDisplay, Root(), &root, &child, &x, &y, &wx, &wy, &mask);
    return {x, y};
}

bool XTestClient::NextEvent(Window window, int type, XEvent& event) {
    return WaitUntil([&] { return XCheckTypedWindowEvent(m_pDisplay, window, type, &event); });
}

std::optional<long> XTestClient::RootLong(const char* name, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const bool ok =
        XGetWindowProperty(m_pDisplay, Root(), XInternAtom(m_pDisplay, name, False), 0, 1, False,
                           type, &actualType, &format, &count, &remaining, &data) == Success;
    const XPtr<unsigned char> owned(data);
    if (!ok || !data || count != 1 || format != 32) {
        return std::nullopt;
    }
    return *reinterpret_cast<long*>(data);
}

Window XTestClient::RootWindowProperty(const char* name) {
    return Window(RootLong(name, XA_WINDOW).value_or(0));
}

}  // namespace qrv::test
