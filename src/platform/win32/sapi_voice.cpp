#include "platform/win32/sapi_voice.h"

#include <windows.h>

#include <sapi.h>

#include "platform/win32/com_apartment.h"
#include "platform/win32/wide_text.h"

namespace qrv::win32 {
namespace {

// How often a synchronous speech looks at its stop flag.
constexpr ULONG kStopPollMs = 50;

}  // namespace

SapiVoice::SapiVoice(Microsoft::WRL::ComPtr<ISpVoice> voice) : m_voice(std::move(voice)) {}

void SapiVoice::SpeakSync(const std::string& text, const std::atomic<int32_t>* stop) {
    ComApartment com(ComApartment::Kind::MultiThreaded);
    const std::wstring wide = Widen(text);
    if (FAILED(m_voice->Speak(wide.c_str(), SPF_ASYNC, nullptr))) {
        return;
    }
    while (m_voice->WaitUntilDone(kStopPollMs) == S_FALSE) {
        if (stop && stop->load(std::memory_order_relaxed) != 0) {
            m_voice->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
            return;
        }
    }
}

void SapiVoice::SpeakAsync(const std::string& text) {
    ComApartment com(ComApartment::Kind::MultiThreaded);
    const std::wstring wide = Widen(text);
    m_voice->Speak(wide.c_str(), SPF_ASYNC, nullptr);
}

void SapiVoice::WaitUntilSpoken() {
    ComApartment com(ComApartment::Kind::MultiThreaded);
    m_voice->WaitUntilDone(INFINITE);
}

}  // namespace qrv::win32
