#include "fakes/recording_voice_factory.h"

#include "fakes/recording_voice.h"

namespace qrv {

RecordingVoiceFactory::RecordingVoiceFactory(ActionLog& log) : m_log(log) {}

std::unique_ptr<Voice> RecordingVoiceFactory::CreateVoice() {
    if (!m_bAvailable) {
        return nullptr;
    }
    ++m_created;
    m_log.Add("voice-created");
    return std::make_unique<RecordingVoice>(m_log);
}

void RecordingVoiceFactory::SetAvailable(bool available) {
    m_bAvailable = available;
}

int RecordingVoiceFactory::VoicesCreated() const {
    return m_created;
}

}  // namespace qrv
