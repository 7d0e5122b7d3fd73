#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>

namespace qrv {

// The keysyms a desktop types by pressing keys of its keyboard layout, found
// the way the desktops look for them: the first key and level of the
// layout that carry the keysym, which must be the plain level, the one of
// Shift, or the one of AltGr (ISO_Level3_Shift) where a key gives that. A
// keysym counts when every layout of the keymap reaches it, as the active
// one is not known.
class LayoutKeysyms {
  public:
    // An unknown layout: it reaches every keysym.
    LayoutKeysyms() = default;
    // The layouts of a keymap in XKB text format; one that does not compile
    // is unknown.
    explicit LayoutKeysyms(const std::string& keymap);

    bool Reaches(uint32_t keysym) const;

  private:
    bool m_known = false;
    std::unordered_set<uint32_t> m_reached;
};

}  // namespace qrv
