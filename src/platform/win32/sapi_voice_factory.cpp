#include "platform/win32/sapi_voice_factory.h"

#include <windows.h>

#include <sapi.h>

#include <thread>

#include "platform/win32/com_apartment.h"
#include "platform/win32/sapi_voice.h"

namespace qrv::win32 {

// Created on a thread of its own: the calling thread may be a single-threaded
// apartment, whose objects only that thread may call.
std::unique_ptr<Voice> SapiVoiceFactory::CreateVoice() {
    MtaUsage mta;
    Microsoft::WRL::ComPtr<ISpVoice> voice;
    std::thread([&voice] {
        ComApartment com(ComApartment::Kind::MultiThreaded);
        CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&voice));
    }).join();
    if (!mta.Held() || !voice) {
        return nullptr;
    }
    return std::make_unique<SapiVoice>(std::move(voice));
}

}  // namespace qrv::win32
