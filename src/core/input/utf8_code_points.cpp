#include "core/input/utf8_code_points.h"

namespace qrv {

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes the sequence at `i` and advances past it; nothing when malformed.
std::optional<char32_t> DecodeAt(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) {
        return lead;
    }
    int extra = 0;
    char32_t code = 0;
    char32_t least = 0;  // below it the form is overlong
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, code = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, code = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, code = lead & 0x07, least = 0x10000;
    } else {
        return std::nullopt;
    }
    for (int k = 0; k < extra; ++k, ++i) {
        if (i >= text.size() || !IsContinuation(static_cast<unsigned char>(text[i]))) {
            return std::nullopt;
        }
        code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return std::nullopt;
    }
    return code;
}

}  // namespace

std::optional<std::u32string> CodePointsFromUtf8(std::string_view text) {
    std::u32string codePoints;
    for (std::size_t i = 0; i < text.size();) {
        const std::optional<char32_t> code = DecodeAt(text, i);
        if (!code) {
            return std::nullopt;
        }
        codePoints.push_back(*code);
    }
    return codePoints;
}

}  // namespace qrv
