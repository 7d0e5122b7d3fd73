#include "x11_test_client.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <vector>

#include "platform/x11/x_handles.h"

namespace qrv::test {

uint32_t PatternColor(int x, int y) {
    return (uint32_t((x * 7 + y * 13) & 0xFF) << 16) | (uint32_t(x & 0xFF) << 8) |
           uint32_t((y ^ (x >> 8)) & 0xFF);
}

Window XTestClient::CreateWindow(int x, int y, int width, int height, bool overrideRedirect,
                                 const std::string& title, long eventMask,
                                 const std::function<void(Window)>& beforeMap) {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = overrideRedirect;
    attributes.background_pixel = BlackPixel(m_display, DefaultScreen(m_display));
    attributes.event_mask = eventMask | StructureNotifyMask;
    Window window = XCreateWindow(m_display, Root(), x, y, unsigned(width), unsigned(height), 0,
                                  CopyFromParent, InputOutput, CopyFromParent,
                                  CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
    if (!title.empty()) {
        XStoreName(m_display, window, title.c_str());
        XChangeProperty(m_display, window, XInternAtom(m_display, "_NET_WM_NAME", False),
                        XInternAtom(m_display, "UTF8_STRING", False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title.data()), int(title.size()));
        long pid = getpid();
        XChangeProperty(m_display, window, XInternAtom(m_display, "_NET_WM_PID", False),
                        XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&pid),
                        1);
    }
    if (beforeMap) {
        beforeMap(window);
    }
    XMapWindow(m_display, window);
    XEvent event;
    NextEvent(window, MapNotify, event);
    WaitUntil([&] {
        XWindowAttributes a;
        XGetWindowAttributes(m_display, window, &a);
        return a.map_state == IsViewable;
    });
    return window;
}

void XTestClient::Destroy(Window window) {
    XDestroyWindow(m_display, window);
    XSync(m_display, False);
}

void XTestClient::FillPattern(Window window, int width, int height) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels.push_back(PatternColor(x, y));
    }
    const int screen = DefaultScreen(m_display);
    const XImagePtr image(XCreateImage(m_display, DefaultVisual(m_display, screen),
                                       unsigned(DefaultDepth(m_display, screen)), ZPixmap, 0,
                                       reinterpret_cast<char*>(pixels.data()), unsigned(width),
                                       unsigned(height), 32, 0));
    XPutImage(m_display, window, DefaultGC(m_display, screen), image.get(), 0, 0, 0, 0,
              unsigned(width), unsigned(height));
    image->data = nullptr;  // owned by the vector
    XSync(m_display, False);
}

Point XTestClient::PointerOnRoot() {
    Window root = 0, child = 0;
    int x = 0, y = 0, wx = 0, wy = 0;
    unsigned int mask = 0;
    XQueryPointer(m_display, Root(), &root, &child, &x, &y, &wx, &wy, &mask);
    return {x, y};
}

bool XTestClient::NextEvent(Window window, int type, XEvent& event) {
    return WaitUntil([&] { return XCheckTypedWindowEvent(m_display, window, type, &event); });
}

std::optional<long> XTestClient::RootLong(const char* name, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const bool ok =
        XGetWindowProperty(m_display, Root(), XInternAtom(m_display, name, False), 0, 1, False,
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
