#pragma once

using Display = struct _XDisplay;

namespace qrv {

// Collects the X errors of one connection while it lives (traps may nest),
// instead of letting Xlib's default handler end the process. Errors of
// connections without a trap still reach the handler installed before.
class XErrorTrap {
  public:
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits for every request sent so far and tells whether any of them failed
    // since the trap was set (or since the last call).
    bool Failed();

  private:
    Display* m_display;
};

}  // namespace qrv
