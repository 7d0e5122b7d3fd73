#pragma once

#include "platform_test_support.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/base/geometry.h"

namespace qrv::test {

// Colour drawn at root position (x, y) by FillPattern, as 0x00RRGGBB.
uint32_t PatternColor(int x, int y);

// A second X client for the tests: draws, creates windows and reads back
// what the code under test did, on a connection of its own.
class XTestClient {
  public:
    XTestClient() : m_display(XOpenDisplay(nullptr)) {}
    ~XTestClient() {
        if (m_display)
            XCloseDisplay(m_display);
    }
    XTestClient(const XTestClient&) = delete;
    XTestClient& operator=(const XTestClient&) = delete;

    Display* Get() const { return m_display; }
    Window Root() const { return DefaultRootWindow(m_display); }

    // A mapped window at root position (x, y). Override-redirect windows are
    // left alone by a window manager; others get the title and this
    // process's id; beforeMap may set further properties. Returns once the
    // window is viewable.
    Window CreateWindow(int x, int y, int width, int height, bool overrideRedirect,
                        const std::string& title = {}, long eventMask = 0,
                        const std::function<void(Window)>& beforeMap = {});
    void Destroy(Window window);
    // Paints the window with PatternColour of the root positions it covers.
    void FillPattern(Window window, int width, int height);
    Point PointerOnRoot();
    // Next event of the given type for the window, within the wait limit.
    bool NextEvent(Window window, int type, XEvent& event);
    // A 32-bit root property of one item of `type`; none when unset.
    std::optional<long> RootLong(const char* name, Atom type);
    // A window-valued property of the root (0 when unset).
    Window RootWindowProperty(const char* name);
    bool ManagerRunning() { return RootWindowProperty("_NET_SUPPORTING_WM_CHECK") != 0; }

  private:
    Display* m_display;
};

}  // namespace qrv::test
