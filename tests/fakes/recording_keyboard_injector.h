#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>

#include "core/desktop/keyboard_injector.h"
#include "fakes/action_log.h"

namespace qrv {

// Logs "key <keysym in hex> down|up" and "type U+XXXX"; the call numbered
// by FailAt() (from 1) throws as a desktop that refuses the key would.
class RecordingKeyboardInjector : public KeyboardInjector {
  public:
    explicit RecordingKeyboardInjector(ActionLog& log) : m_log(log) {}

    void Key(uint32_t keysym, bool down) override {
        Record("key %x " + std::string(down ? "down" : "up"), keysym);
    }
    void Type(char32_t codePoint) override { Record("type U+%04X", uint32_t(codePoint)); }

    void FailAt(int call) { m_failAt = call; }

  private:
    void Record(const std::string& format, uint32_t value) {
        if (++m_calls == m_failAt) {
            throw std::runtime_error("the desktop refused the key");
        }
        char entry[64];
        std::snprintf(entry, sizeof entry, format.c_str(), unsigned(value));
        m_log.Add(entry);
    }

    ActionLog& m_log;
    int m_calls = 0;
    int m_failAt = 0;
};

}  // namespace qrv
