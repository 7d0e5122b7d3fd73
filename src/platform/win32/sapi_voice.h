#pragma once

#include <wrl/client.h>

#include "core/desktop/voice.h"
#include "platform/win32/mta_usage.h"

struct ISpVoice;

namespace qrv::win32 {

// A SAPI 5 voice living in the multithreaded apartment, which it keeps alive,
// so that the search worker and the window's thread may both speak through
// the one voice the program shares.
class SapiVoice : public Voice {
  public:
    explicit SapiVoice(Microsoft::WRL::ComPtr<ISpVoice> voice);

    void SpeakSync(const std::string& text, const std::atomic<int32_t>* stop) override;
    void SpeakAsync(const std::string& text) override;
    void WaitUntilSpoken() override;

  private:
    MtaUsage m_mta;
    Microsoft::WRL::ComPtr<ISpVoice> m_voice;
};

}  // namespace qrv::win32
