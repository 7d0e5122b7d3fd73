#pragma once

#include <memory>
#include <string>

using Display = struct _XDisplay;

namespace qrv {

// One Xlib connection owned by one service object. Each service opens its own
// connection, so the search worker and the GUI thread never share request
// streams or error state; Xlib is still initialised for threads once per
// process so that a connection may be handed between threads.
class XDisplay {
  public:
    // Opens `name`, or $DISPLAY when empty. Returns null when no server answers.
    static std::unique_ptr<XDisplay> Open(const std::string& name = {});

    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    Display* Get() const { return m_display; }
    unsigned long Root() const;
    int ScreenNumber() const;
    // File descriptor of the connection, for event notifiers.
    int Fd() const;
    // Interned atom; cached by the server, cheap after the first call.
    unsigned long Atom(const char* name) const;
    // Round trip: every request sent so far has been processed.
    void Sync() const;

  private:
    explicit XDisplay(Display* display) : m_display(display) {}
    Display* m_display;
};

}  // namespace qrv
