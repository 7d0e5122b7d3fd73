#pragma once

#include <cstdint>

namespace qrv {

// Synthesised key presses and typed text.
//
// Keys are X keysym values (the names `Return`, `Tab`, `F9`, `Control_L`, ...
// map to them in core/input/key_names.h); a character's keysym is
// KeysymForCodePoint(). A backend presses the key that makes the keysym,
// borrowing a spare key for the moment when the keyboard layout has none.
// Failures the user should hear of (the desktop refused the keyboard) throw
// std::runtime_error with a text for the user.
class KeyboardInjector {
  public:
    virtual ~KeyboardInjector() = default;
    // Presses (down) or releases one key. Modifiers pressed this way apply to
    // the keys pressed while they are held.
    virtual void Key(uint32_t keysym, bool down) = 0;
    // Types one character, whatever the keyboard layout and whatever
    // modifiers this program holds: the character arrives as given.
    virtual void Type(char32_t codePoint) = 0;
};

}  // namespace qrv
