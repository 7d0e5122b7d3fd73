#include "platform/x11/x_borrowed_key.h"

#include <X11/Xlib.h>

#include <stdexcept>

#include "platform/x11/x_error_trap.h"
#include "platform/x11/x_focus_client_sync.h"

namespace qrv {

XBorrowedKey::XBorrowedKey(Display* display, uint8_t spare, uint32_t keysym)
    : m_display(display), m_keycode(spare) {
    XErrorTrap trap(m_display);
    // The same symbol on both levels: Shift held by the user changes nothing.
    KeySym symbols[] = {keysym, keysym};
    XChangeKeyboardMapping(m_display, m_keycode, 2, symbols, 1);
    if (trap.Failed()) {
        throw std::runtime_error("the X server refused to map a spare key");
    }
}

XBorrowedKey::~XBorrowedKey() {
    XFocusClientSync(m_display).Wait();
    XErrorTrap trap(m_display);  // a server that refuses leaves the key mapped
    KeySym none = NoSymbol;
    XChangeKeyboardMapping(m_display, m_keycode, 1, &none, 1);
}

}  // namespace qrv
