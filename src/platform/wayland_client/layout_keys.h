#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qrv {

// A key of a keyboard layout and the keysyms of its first two levels (the
// plain one and, on character keys, Shift's).
struct LayoutKey {
    uint32_t code;  // evdev code (X keycode - 8)
    std::string name;
    uint32_t plain;
    uint32_t shifted;  // 0 for none
};

// The keys of the first layout of a keymap in XKB text format that make one
// keysym on their plain level, in the order of their codes; none when the
// keymap does not compile.
std::vector<LayoutKey> LayoutKeysOf(const std::string& keymap);

}  // namespace qrv
