#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/desktop/clock.h"
#include "core/desktop/keyboard_injector.h"

namespace qrv {

// Typing text and pressing key combinations, as the command line and the
// Python module offer them. Keeps no state between calls. The keyboard's
// failures (std::runtime_error) pass through.
class KeyboardActions {
  public:
    KeyboardActions(KeyboardInjector& keyboard, Clock& clock);

    // The characters of a UTF-8 text if every one can be typed; otherwise
    // nothing, and `error` says why in one line.
    static std::optional<std::u32string> TextToType(std::string_view utf8, std::string& error);

    // Types each character, `delayMs` apart.
    void Type(std::u32string_view text, uint32_t delayMs);
    // Presses the keys in order and releases them in reverse; keys already
    // down are released when a press fails.
    void Press(std::span<const uint32_t> keysyms);

  private:
    KeyboardInjector& m_keyboard;
    Clock& m_clock;
};

}  // namespace qrv
