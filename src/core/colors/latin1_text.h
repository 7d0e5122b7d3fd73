#pragma once

#include <string>
#include <string_view>

namespace qrv {

// Text converted to ISO 8859-1, one byte per character.
struct Latin1Text {
    std::string bytes;
    bool ok = true;
    // When not ok: the first character above 255, or U+FFFD for a malformed
    // UTF-8 sequence.
    char32_t offending = 0;
};

Latin1Text Utf8ToLatin1(std::string_view utf8);

// ISO 8859-1 bytes as UTF-8 (every byte is a character).
std::string Latin1ToUtf8(std::string_view latin1);

}  // namespace qrv
