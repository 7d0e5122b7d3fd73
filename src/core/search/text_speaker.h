#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "core/desktop/voice.h"

namespace qrv {

// Speaks texts through one shared voice that is created on first need and
// lives as long as the speaker. Safe to use from the user-interface thread and
// the search worker at once.
class CTextSpeaker {
  public:
    explicit CTextSpeaker(VoiceFactory& factory);
    virtual ~CTextSpeaker() = default;
    CTextSpeaker(const CTextSpeaker&) = delete;
    CTextSpeaker& operator=(const CTextSpeaker&) = delete;

    // Returns when the text has been spoken. Uses the shared voice when it
    // exists, otherwise a temporary voice that is not kept. Empty texts and a
    // missing speech service do nothing. A non-zero *stop cuts the speech short.
    void SpeakSync(std::string text, const std::atomic<int32_t>* stop = nullptr);
    // Queues the text behind pending speech on the shared voice, creating
    // that voice if needed, and returns at once.
    void SpeakAsync(std::string text);
    // Returns once the texts queued on the shared voice have been spoken;
    // at once when there is no shared voice.
    void WaitUntilSpoken();
    // Creates the shared voice if it does not exist yet; it stays absent when
    // no speech service is available.
    void EnsureVoice();
    bool HasVoice();

  private:
    std::shared_ptr<Voice> SharedVoice(bool create);

    VoiceFactory& m_factory;
    std::mutex m_mutex;
    std::shared_ptr<Voice> m_voice;
};

}  // namespace qrv
