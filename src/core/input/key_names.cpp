#include "core/input/key_names.h"

namespace qrv {

namespace {

constexpr uint32_t kUnicodeKeysymBase = 0x01000000;

std::optional<uint32_t> ControlKeysym(char32_t codePoint) {
    switch (codePoint) {
        case U'\b':
            return 0xff08;  // BackSpace
        case U'\t':
            return 0xff09;  // Tab
        case U'\n':
        case U'\r':
            return 0xff0d;  // Return
        case 0x1b:
            return 0xff1b;  // Escape
        case 0x7f:
            return 0xffff;  // Delete
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<uint32_t> KeysymForCodePoint(char32_t codePoint) {
    if (codePoint < 0x20 || codePoint == 0x7f)
        return ControlKeysym(codePoint);
    if (codePoint < 0x80 || (codePoint >= 0xa0 && codePoint <= 0xff))
        return codePoint;
    if (codePoint < 0xa0)
        return std::nullopt;  // C1 controls
    if (codePoint >= 0xd800 && codePoint <= 0xdfff)
        return std::nullopt;
    if (codePoint > 0x10ffff)
        return std::nullopt;
    return kUnicodeKeysymBase + codePoint;
}

}  // namespace qrv
