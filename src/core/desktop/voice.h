#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace qrv {

// One speech synthesiser voice. Texts are UTF-8.
class Voice {
  public:
    virtual ~Voice() = default;
    // Returns when the text has been spoken, or soon after *stop turns
    // non-zero (never when null), leaving the rest unspoken.
    virtual void SpeakSync(const std::string& text, const std::atomic<int32_t>* stop) = 0;
    // Queues the text behind pending speech and returns at once.
    virtual void SpeakAsync(const std::string& text) = 0;
    // Returns once every text queued so far has been spoken.
    virtual void WaitUntilSpoken() = 0;
};

class VoiceFactory {
  public:
    virtual ~VoiceFactory() = default;
    // Null when no speech service is available.
    virtual std::unique_ptr<Voice> CreateVoice() = 0;
};

}  // namespace qrv
