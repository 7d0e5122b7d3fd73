#pragma once

#include <cstdint>
#include <string>

namespace qrv {

// A stored hot key (hot_key_mod flags and a virtual key) in the trigger
// syntax of the desktop portal's shortcuts: modifiers then the xkb keysym
// name, joined by '+' ("CTRL+SHIFT+F9"). Empty when the key has no keysym.
std::string ShortcutTrigger(uint32_t modifiers, uint32_t virtualKey);

}  // namespace qrv
