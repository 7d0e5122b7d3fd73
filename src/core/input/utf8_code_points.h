#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qrv {

// The code points of a UTF-8 text; nothing when it is not well-formed UTF-8
// (a stray or missing continuation byte, an overlong form, a surrogate, a
// value past U+10FFFF).
std::optional<std::u32string> CodePointsFromUtf8(std::string_view text);

}  // namespace qrv
