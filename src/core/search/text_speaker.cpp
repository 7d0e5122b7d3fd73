#include "core/search/text_speaker.h"

namespace qrv {

CTextSpeaker::CTextSpeaker(VoiceFactory& factory) : m_factory(factory) {}

void CTextSpeaker::SpeakSync(std::string text, const std::atomic<int32_t>* stop) {
    if (text.empty()) {
        return;
    }
    // Spoken outside the lock: a long synchronous speech must not hold up
    // the other thread.
    if (std::shared_ptr<Voice> voice = SharedVoice(false)) {
        voice->SpeakSync(text, stop);
    } else if (std::unique_ptr<Voice> temporary = m_factory.CreateVoice()) {
        temporary->SpeakSync(text, stop);
    }
}

void CTextSpeaker::SpeakAsync(std::string text) {
    if (text.empty()) {
        return;
    }
    if (std::shared_ptr<Voice> voice = SharedVoice(true)) {
        voice->SpeakAsync(text);
    }
}

void CTextSpeaker::WaitUntilSpoken() {
    if (std::shared_ptr<Voice> voice = SharedVoice(false)) {
        voice->WaitUntilSpoken();
    }
}

void CTextSpeaker::EnsureVoice() {
    SharedVoice(true);
}

bool CTextSpeaker::HasVoice() {
    return SharedVoice(false) != nullptr;
}

std::shared_ptr<Voice> CTextSpeaker::SharedVoice(bool create) {
    std::lock_guard lock(m_mutex);
    if (!m_voice && create) {
        m_voice = m_factory.CreateVoice();
    }
    return m_voice;
}

}  // namespace qrv
