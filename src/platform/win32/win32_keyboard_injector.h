#pragma once

#include <cstdint>
#include <map>
#include <set>

#include "core/desktop/keyboard_injector.h"

namespace qrv::win32 {

// SendInput key strokes. Keys that name no character press their virtual key;
// a character presses the key the keyboard layout gives it, with the
// modifiers it needs, or, where the layout has none, arrives as a Unicode
// packet. Typed text goes as Unicode packets, but for the controls a text
// holds (line feed, tab, ...), which press their keys.
class Win32KeyboardInjector : public KeyboardInjector {
  public:
    void Key(uint32_t keysym, bool down) override;
    void Type(char32_t codePoint) override;

  private:
    bool PressLayoutKey(char32_t character, bool down);
    // The modifier bits (as VkKeyScanW gives them) of the keys Key() holds.
    uint8_t HeldModifiers() const;

    // The virtual keys Key() holds down.
    std::set<uint16_t> m_heldKeys;
    // Per held character key, the modifier bits pressed with it, to release
    // with it.
    std::map<char32_t, uint8_t> m_addedModifiers;
};

}  // namespace qrv::win32
