#pragma once

#include <memory>

#include "core/desktop/voice.h"
#include "platform/espeak/espeak_engine.h"

namespace qrv {

// Voices of the espeak-ng synthesiser. By default they play on the default
// audio device; with a sink they hand each text's audio to it instead.
class EspeakVoiceFactory : public VoiceFactory {
  public:
    EspeakVoiceFactory() = default;
    explicit EspeakVoiceFactory(EspeakEngine::AudioSink sink);

    std::unique_ptr<Voice> CreateVoice() override;

  private:
    std::shared_ptr<const EspeakEngine::AudioSink> m_sink;
};

}  // namespace qrv
