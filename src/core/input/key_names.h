#pragma once

#include <cstdint>
#include <optional>

namespace qrv {

// The X keysym that types `codePoint`: Latin-1 characters are their own
// keysym, other characters 0x01000000 + code point, and the controls a text
// can hold (line feed, carriage return, tab, backspace, escape, delete) the
// keys that make them. Empty for other controls, surrogates and values past
// U+10FFFF.
std::optional<uint32_t> KeysymForCodePoint(char32_t codePoint);

}  // namespace qrv
