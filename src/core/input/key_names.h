#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

// The X keysym that types `codePoint`: Latin-1 characters are their own
// keysym, other characters 0x01000000 + code point, and the controls a text
// can hold (line feed, carriage return, tab, backspace, escape, delete) the
// keys that make them. Empty for other controls, surrogates and values past
// U+10FFFF.
std::optional<uint32_t> KeysymForCodePoint(char32_t codePoint);

// The keysym a key name stands for, tried in this order: an X keysym name as
// xkbcommon spells it (`Return`, `F9`, `Page_Up`, `KP_Enter`, `plus`,
// `XF86AudioMute`); the modifiers `ctrl`, `shift`, `alt` and `super` (the
// left-hand keys); one character, as KeysymForCodePoint() types it; `U+20AC`,
// a code point in hex; a keysym name again, ignoring case (`f9`, `return`).
// Empty for anything else.
std::optional<uint32_t> KeysymFromName(std::string_view name);

// The keys of a combination such as `ctrl+shift+F9`, in the order written.
// `+` separates the keys, so the plus key is written `plus`, while `U+` and
// the hex digits after it are one key. On error returns nothing and sets
// `error` to one line naming the key that is not known.
std::optional<std::vector<uint32_t>> KeysymsFromCombo(std::string_view combo, std::string& error);

}  // namespace qrv
