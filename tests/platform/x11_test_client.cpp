#include "x11_test_client.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace qrv::test {

uint32_t PatternColour(int x, int y) {
    return (uint32_t((x * 7 + y * 13) & 0xFF) << 16) | (uint32_t(x & 0xFF) << 8) |
           uint32_t((y ^ (x >> 8)) & 0xFF);
}

XTestClient::XTestClient() : m_pDisplay(XOpenDisplay(nullptr)) {}

XTestClient::~XTestClient() {
    if (m_pDisplay) {
        XCloseDisplay(m_pDisplay);
    }
}

Window XTestClient::CreateWindow(int x, int y, int width, int height, bool overrideRedirect,
                                 const std::string& title, long eventMask) {
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

void XTestClient::FillPattern(Window window, int x, int y, int width, int height) {
    Visual* visual = DefaultVisual(m_pDisplay, DefaultScreen(m_pDisplay));
    int depth = DefaultDepth(m_pDisplay, DefaultScreen(m_pDisplay));
    std::vector<uint32_t> pixels(std::size_t(width) * std::size_t(height));
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            pixels[std::size_t(row) * std::size_t(width) + std::size_t(col)] =
                PatternColour(x + col, y + row);
        }
    }
    XImage* image = XCreateImage(m_pDisplay, visual, unsigned(depth), ZPixmap, 0,
                                 reinterpret_cast<char*>(pixels.data()), unsigned(width),
                                 unsigned(height), 32, 0);
    XPutImage(m_pDisplay, window, DefaultGC(m_pDisplay, DefaultScreen(m_pDisplay)), image, 0, 0, 0,
              0, unsigned(width), unsigned(height));
    image->data = nullptr;  // owned by the vector
    XDestroyImage(image);
    XSync(m_pDisplay, False);
}

void XTestClient::Pointer(int& x, int& y) {
    Window root = 0;
    Window child = 0;
    int wx = 0;
    int wy = 0;
    unsigned int mask = 0;
    XQueryPointer(m_pDisplay, Root(), &root, &child, &x, &y, &wx, &wy, &mask);
}

bool XTestClient::WaitUntil(const std::function<bool()>& done) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

bool XTestClient::NextEvent(Window window, int type, XEvent& event) {
    return WaitUntil([&] { return XCheckTypedWindowEvent(m_pDisplay, window, type, &event); });
}

bool XTestClient::ManagerRunning() {
    Atom check = XInternAtom(m_pDisplay, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(m_pDisplay, Root(), check, 0, 1, False, XA_WINDOW, &type, &format, &count,
                       &remaining, &data);
    if (data) {
        XFree(data);
    }
    return count == 1;
}

}  // namespace qrv::test
