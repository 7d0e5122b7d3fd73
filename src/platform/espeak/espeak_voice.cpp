#include "platform/espeak/espeak_voice.h"

namespace qrv {

EspeakVoice::EspeakVoice(std::shared_ptr<EspeakEngine> engine,
                         std::shared_ptr<const EspeakEngine::AudioSink> sink)
    : m_engine(std::move(engine)), m_sink(std::move(sink)) {}

void EspeakVoice::SpeakSync(const std::string& text, const std::atomic<int32_t>* stop) {
    if (text.empty())
        return;
    std::promise<void> done;
    std::future<void> spoken = done.get_future();
    m_engine->Enqueue(text, m_sink, std::move(done), stop);
    spoken.wait();
}

void EspeakVoice::SpeakAsync(const std::string& text) {
    if (text.empty())
        return;
    m_engine->Enqueue(text, m_sink);
}

void EspeakVoice::WaitUntilSpoken() {
    m_engine->WaitUntilSpoken();
}

}  // namespace qrv
