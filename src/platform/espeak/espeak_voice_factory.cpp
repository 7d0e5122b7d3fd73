#include "platform/espeak/espeak_voice_factory.h"

#include "platform/espeak/espeak_voice.h"

namespace qrv {

EspeakVoiceFactory::EspeakVoiceFactory(EspeakEngine::AudioSink sink)
    : m_sink(std::make_shared<const EspeakEngine::AudioSink>(std::move(sink))) {}

std::unique_ptr<Voice> EspeakVoiceFactory::CreateVoice() {
    std::shared_ptr<EspeakEngine> engine = EspeakEngine::Shared();
    if (engine == nullptr)
        return nullptr;
    return std::make_unique<EspeakVoice>(std::move(engine), m_sink);
}

}  // namespace qrv
