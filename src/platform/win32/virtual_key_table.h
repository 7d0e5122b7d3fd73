#pragma once

#include <cstdint>
#include <optional>

namespace qrv::win32 {

// A key as SendInput names it: its virtual-key code, and whether it is one of
// the keys the extended scan-code prefix tells apart from the number pad's.
struct VirtualKey {
    uint16_t code = 0;
    bool extended = false;
};

// The key of a keysym that names a key rather than a character: Return,
// arrows, F1..F24, modifiers, the number pad, media keys. Empty for the
// keysyms of characters and for keys Windows has no code for.
std::optional<VirtualKey> VirtualKeyForKeysym(uint32_t keysym);

}  // namespace qrv::win32
