#include "core/colours/latin1_text.h"

#include <cstdint>

namespace qrv {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes the sequence at `i` and advances past it; kReplacement when malformed.
char32_t DecodeAt(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) {
        return lead;
    }
    int extra = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, code = lead & 0x07;
    } else {
        return kReplacement;
    }
    for (int k = 0; k < extra; ++k, ++i) {
        if (i >= text.size() || !IsContinuation(static_cast<unsigned char>(text[i]))) {
            return kReplacement;
        }
        code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    }
    return code;
}

}  // namespace

Latin1Text Utf8ToLatin1(std::string_view utf8) {
    Latin1Text out;
    out.bytes.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t code = DecodeAt(utf8, i);
        if (code > 0xFF) {
            out.ok = false;
            out.offending = code;
            out.bytes.clear();
            return out;
        }
        out.bytes.push_back(static_cast<char>(code));
    }
    return out;
}

std::string Latin1ToUtf8(std::string_view latin1) {
    std::string utf8;
    utf8.reserve(latin1.size() * 2);
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8.push_back(c);
        } else {
            utf8.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return utf8;
}

}  // namespace qrv
