#pragma once

#include <functional>

#include "core/desktop/voice.h"
#include "fakes/action_log.h"

namespace qrv {

// Logs "speak-sync <text>", "speak-async <text>" or "speak-wait". A synchronous text lasts
// until `whileSpeaking` (owned by the creator) returns; when the stop flag is set by then, the rest
// is cut short and "speech-stopped" is logged.
class RecordingVoice : public Voice {
  public:
    RecordingVoice(ActionLog& log, const std::function<void()>& whileSpeaking)
        : m_log(log), m_whileSpeaking(whileSpeaking) {}
    void SpeakSync(const std::string& text, const std::atomic<int32_t>* stop) override {
        m_log.Add("speak-sync " + text);
        if (m_whileSpeaking) {
            m_whileSpeaking();
        }
        if (stop && stop->load() != 0) {
            m_log.Add("speech-stopped");
        }
    }
    void SpeakAsync(const std::string& text) override { m_log.Add("speak-async " + text); }
    void WaitUntilSpoken() override { m_log.Add("speak-wait"); }

  private:
    ActionLog& m_log;
    const std::function<void()>& m_whileSpeaking;
};

}  // namespace qrv
