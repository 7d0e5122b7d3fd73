#include "core/input/keyboard_actions.h"

#include <cstdio>

#include "core/input/key_names.h"
#include "core/input/utf8_code_points.h"

namespace qrv {

KeyboardActions::KeyboardActions(KeyboardInjector& keyboard, Clock& clock)
    : m_keyboard(keyboard), m_clock(clock) {}

std::optional<std::u32string> KeyboardActions::TextToType(std::string_view utf8,
                                                          std::string& error) {
    std::optional<std::u32string> text = CodePointsFromUtf8(utf8);
    if (!text) {
        error = "the text is not valid UTF-8";
        return std::nullopt;
    }
    for (const char32_t c : *text) {
        if (!KeysymForCodePoint(c)) {
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", unsigned(c));
            error = std::string("the text holds ") + name + ", a control character no key types";
            return std::nullopt;
        }
    }
    return text;
}

void KeyboardActions::Type(std::u32string_view text, uint32_t delayMs) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i > 0 && delayMs > 0) {
            m_clock.SleepMs(delayMs);
        }
        m_keyboard.Type(text[i]);
    }
}

void KeyboardActions::Press(std::span<const uint32_t> keysyms) {
    std::size_t down = 0;
    try {
        for (; down < keysyms.size(); ++down) {
            m_keyboard.Key(keysyms[down], true);
        }
    } catch (...) {
        while (down > 0) {
            m_keyboard.Key(keysyms[--down], false);
        }
        throw;
    }
    while (down > 0) {
        m_keyboard.Key(keysyms[--down], false);
    }
}

}  // namespace qrv
