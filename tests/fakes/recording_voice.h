#pragma once

#include "fakes/action_log.h"
#include "search/voice.h"

namespace qrv {

// Logs "speak-sync <text>", "speak-async <text>" or "speak-wait".
class RecordingVoice : public Voice {
  public:
    explicit RecordingVoice(ActionLog& log) : m_log(log) {}
    void SpeakSync(const std::string& text) override { m_log.Add("speak-sync " + text); }
    void SpeakAsync(const std::string& text) override { m_log.Add("speak-async " + text); }
    void WaitUntilSpoken() override { m_log.Add("speak-wait"); }

  private:
    ActionLog& m_log;
};

}  // namespace qrv
