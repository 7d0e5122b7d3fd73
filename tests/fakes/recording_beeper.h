#pragma once

#include <cstdio>

#include "core/desktop/beeper.h"
#include "fakes/action_log.h"

namespace qrv {

// Logs "beep <kind as hex>", e.g. "beep 0x10".
class RecordingBeeper : public Beeper {
  public:
    explicit RecordingBeeper(ActionLog& log) : m_log(log) {}
    void Beep(BeepKind kind) override {
        char text[32];
        std::snprintf(text, sizeof text, "beep 0x%x", static_cast<unsigned>(kind));
        m_log.Add(text);
    }

  private:
    ActionLog& m_log;
};

}  // namespace qrv
