#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <string>

namespace qrv::test {

// Colour drawn at root position (x, y) by FillPattern, as 0x00RRGGBB.
uint32_t PatternColour(int x, int y);

// A second X client for the tests: draws, creates windows and reads back
// what the code under test did, on a connection of its own.
class XTestClient {
  public:
    XTestClient();
    ~XTestClient();
    XTestClient(const XTestClient&) = delete;
    XTestClient& operator=(const XTestClient&) = delete;

    Display* Get() const { return m_pDisplay; }
    Window Root() const { return DefaultRootWindow(m_pDisplay); }

    // A mapped window at root position (x, y). Override-redirect windows are
    // left alone by a window manager; others get the title and this
    // process's id. Returns once the window is viewable.
    Window CreateWindow(int x, int y, int width, int height, bool overrideRedirect,
                        const std::string& title = {}, long eventMask = 0);
    // Paints the window with PatternColour of the root positions it covers.
    void FillPattern(Window window, int x, int y, int width, int height);
    // Root position of the pointer.
    void Pointer(int& x, int& y);
    // Polls until `done` holds or five seconds pass; processes nothing itself.
    static bool WaitUntil(const std::function<bool()>& done);
    // Next event of the given type for the window, within five seconds.
    bool NextEvent(Window window, int type, XEvent& event);
    bool ManagerRunning();

  private:
    Display* m_pDisplay;
};

}  // namespace qrv::test
