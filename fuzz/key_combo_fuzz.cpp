// Parses arbitrary bytes as a key combination and as a text to type: never
// crashes, a refusal is one line, and an accepted text is exactly the UTF-8
// it came from.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/input/key_names.h"
#include "core/input/keyboard_actions.h"

namespace {

std::string Utf8Of(const std::u32string& text) {
    std::string out;
    for (const char32_t c : text) {
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
        } else if (c < 0x10000) {
            out +=
                {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
        } else {
            out += {char(0xF0 | (c >> 18)), char(0x80 | ((c >> 12) & 0x3F)),
                    char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
        }
    }
    return out;
}

bool OneLine(const std::string& error) {
    return !error.empty() && error.find('\n') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto keysyms = qrv::KeysymsFromCombo(bytes, error);
    if (keysyms ? keysyms->empty() || !error.empty() : !OneLine(error)) {
        __builtin_trap();
    }
    if (keysyms && keysyms->size() > std::size_t(std::count(bytes.begin(), bytes.end(), '+')) + 1) {
        __builtin_trap();  // more keys than names
    }
    error.clear();
    const auto text = qrv::KeyboardActions::TextToType(bytes, error);
    if (text ? Utf8Of(*text) != bytes || !error.empty() : !OneLine(error)) {
        __builtin_trap();
    }
    return 0;
}
