#pragma once

#include <memory>

#include "core/desktop/voice.h"
#include "platform/espeak/espeak_engine.h"

namespace qrv {

// A handle onto the process-wide engine. All voices share its queue, so
// texts from every voice are spoken one after another in the order given.
class EspeakVoice : public Voice {
  public:
    EspeakVoice(std::shared_ptr<EspeakEngine> engine,
                std::shared_ptr<const EspeakEngine::AudioSink> sink);

    void SpeakSync(const std::string& text, const std::atomic<int32_t>* stop) override;
    void SpeakAsync(const std::string& text) override;
    void WaitUntilSpoken() override;

  private:
    std::shared_ptr<EspeakEngine> m_engine;
    std::shared_ptr<const EspeakEngine::AudioSink> m_sink;
};

}  // namespace qrv
