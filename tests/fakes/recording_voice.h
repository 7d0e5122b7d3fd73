#pragma once

#include "fakes/action_log.h"
#include "search/voice.h"

namespace qrv {

// Logs "speak-sync <text>" or "speak-async <text>".
class RecordingVoice : public Voice {
  public:
    explicit RecordingVoice(ActionLog& log);
    void SpeakSync(const std::string& text) override;
    void SpeakAsync(const std::string& text) override;

  private:
    ActionLog& m_log;
};

}  // namespace qrv
