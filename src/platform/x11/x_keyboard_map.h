#pragma once

#include <cstdint>
#include <optional>

#include "platform/x11/x_handles.h"

using Display = struct _XDisplay;

namespace qrv {

// The keyboard of one moment as XKB describes it: the symbols of its keys in
// the active group and the modifiers locked on. Read it again after a change.
class XKeyboardMap {
  public:
    // A key and whether Shift must be held with it.
    struct Stroke {
        uint8_t keycode = 0;
        bool shift = false;
    };

    // Empty when the server does not describe its keyboard.
    static std::optional<XKeyboardMap> Read(Display* display);

    // The key whose unmodified level makes `keysym`.
    std::optional<uint8_t> KeyOf(uint32_t keysym) const;
    // The key, with or without Shift, that makes `keysym` while the locked
    // modifiers (Caps Lock, Num Lock) stay as they are; unshifted preferred.
    std::optional<Stroke> StrokeOf(uint32_t keysym) const;
    // A key that makes no symbol at all, free to be borrowed.
    std::optional<uint8_t> SpareKey() const;

  private:
    XKeyboardMap(XkbKeyboardPtr keyboard, unsigned group, unsigned lockedMods);
    std::optional<uint8_t> Find(uint32_t keysym, unsigned mods) const;

    XkbKeyboardPtr m_keyboard;
    unsigned m_group;
    unsigned m_lockedMods;
};

}  // namespace qrv
