#pragma once

#include "fakes/action_log.h"
#include "search/beeper.h"

namespace qrv {

// Logs "beep <kind as hex>", e.g. "beep 0x10".
class RecordingBeeper : public Beeper {
  public:
    explicit RecordingBeeper(ActionLog& log);
    void Beep(BeepKind kind) override;

  private:
    ActionLog& m_log;
};

}  // namespace qrv
