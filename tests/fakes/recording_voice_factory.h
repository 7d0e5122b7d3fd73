#pragma once

#include <atomic>

#include "fakes/recording_voice.h"

namespace qrv {

// Creates RecordingVoices that log into `log`; logs "voice-created" per voice.
class RecordingVoiceFactory : public VoiceFactory {
  public:
    explicit RecordingVoiceFactory(ActionLog& log) : m_log(log) {}
    std::unique_ptr<Voice> CreateVoice() override {
        if (!available) {
            return nullptr;
        }
        ++created;
        m_log.Add("voice-created");
        return std::make_unique<RecordingVoice>(m_log, whileSpeaking);
    }

    std::atomic<bool> available{true};  // without a speech service every creation fails
    std::atomic<int> created{0};
    std::function<void()> whileSpeaking;  // runs during every synchronous text

  private:
    ActionLog& m_log;
};

}  // namespace qrv
