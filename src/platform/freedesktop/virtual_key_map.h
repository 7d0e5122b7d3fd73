#pragma once

#include <cstdint>
#include <span>

namespace qrv {

// One Windows-compatible virtual-key code and the keysym of the same key (X11
// and the xkb keymaps of Wayland compositors share keysyms).
struct VirtualKeyMapping {
    uint32_t virtualKey;
    uint32_t keySym;
};

// Every key a stored hot key may name, each virtual key and keysym once.
std::span<const VirtualKeyMapping> VirtualKeyMappings();

// The keysym of a virtual key; 0 when the key has none.
uint32_t KeySymFromVirtualKey(uint32_t virtualKey);
// The virtual key of a keysym; upper and lower case letters give the same
// key. 0 when the keysym has none.
uint32_t VirtualKeyFromKeySym(uint32_t keySym);

}  // namespace qrv
