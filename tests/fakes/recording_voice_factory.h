#pragma once

#include <atomic>

#include "fakes/action_log.h"
#include "search/voice.h"

namespace qrv {

// Creates RecordingVoices that log into `log`; logs "voice-created" per voice.
class RecordingVoiceFactory : public VoiceFactory {
  public:
    explicit RecordingVoiceFactory(ActionLog& log);
    std::unique_ptr<Voice> CreateVoice() override;
    // Without a speech service every creation fails.
    void SetAvailable(bool available);
    int VoicesCreated() const;

  private:
    ActionLog& m_log;
    std::atomic<bool> m_bAvailable{true};
    std::atomic<int> m_created{0};
};

}  // namespace qrv
