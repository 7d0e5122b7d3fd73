#pragma once

#include "fakes/action_log.h"
#include "search/voice.h"

namespace qrv {

// Logs "speak-sync <text>" or "speak-async <text>".
class RecordingVoice : public Voice {
  public:
    explicit RecordingVoice(ActionLog& log) : m_log(log) {}
    void SpeakSync(const std::string& text) override { m_log.Add("speak-sync " + text); }
    void SpeakAsync(const std::string& text) override { m_log.Add("speak-async " + text); }

  private:
    ActionLog& m_log;
};

}  // namespace qrv
