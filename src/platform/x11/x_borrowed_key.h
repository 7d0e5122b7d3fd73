#pragma once

#include <cstdint>

using Display = struct _XDisplay;

namespace qrv {

// A spare key mapped to a symbol the keyboard layout lacks, for as long as
// this lives. Its mapping is restored once the focused client has looked up
// the keys pressed with it (see XFocusClientSync), so that no client sees the
// key after it is taken back.
class XBorrowedKey {
  public:
    // Maps `spare`, a key without symbols, to `keysym`; throws
    // std::runtime_error when the server refuses.
    XBorrowedKey(Display* display, uint8_t spare, uint32_t keysym);
    ~XBorrowedKey();
    XBorrowedKey(const XBorrowedKey&) = delete;
    XBorrowedKey& operator=(const XBorrowedKey&) = delete;

    uint8_t Keycode() const { return m_keycode; }

  private:
    Display* m_display;
    uint8_t m_keycode;
};

}  // namespace qrv
