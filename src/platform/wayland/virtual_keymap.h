#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qrv {

// The keymap a virtual keyboard of this program hands the compositor: each
// keysym it needs has a key of its own whose first level makes it, so that no
// layout stands between a keysym and the character it makes. It holds the
// keys of the user's layout (the compositor's keymap) with their plain and
// Shift levels, and a keysym the layout makes on a key's plain level is
// pressed on that key: programs that match shortcuts by key, or keep the
// keymap they read earlier, see the key they expect, and Shift makes what it
// makes there. Other keysyms take the codes left over, as they are first
// asked for. A key keeps its code while the keymap lives.
class VirtualKeymap {
  public:
    // Keys are evdev codes 1 up to this (X keycodes 9 to 255).
    static constexpr uint32_t kMaxCode = 247;

    // Over the keys of `layout`, a keymap in xkb text format; a US keyboard's
    // keys where that is empty or does not compile.
    explicit VirtualKeymap(const std::string& layout = {});

    // The evdev code of the key that makes `keysym`; when it has none yet,
    // one is given and the keymap has changed. When no code is left, the
    // keysyms on spare codes that are not in `held` lose theirs first. Empty
    // for values outside the keysym range and when no spare code is free.
    std::optional<uint32_t> KeyFor(uint32_t keysym, const std::vector<uint32_t>& held);
    // Whether KeyFor changed the keymap since the last call; clears the mark.
    bool TakeChange();
    // The keymap in the xkb text format.
    std::string Text() const;

    // The real modifier (xkb's Shift, Control, Mod1, Mod4, Mod5 bits) that a
    // modifier keysym holds down; 0 for other keysyms.
    static uint32_t ModifierMask(uint32_t keysym);

  private:
    struct Key {
        uint32_t keysym;
        uint32_t shifted;  // 0 for none
        bool spare;        // not one of the layout's
    };

    uint32_t FreeCode() const;

    std::map<uint32_t, Key> m_keys;  // by evdev code
    bool m_changed = true;
};

}  // namespace qrv
