#pragma once

#include "core/desktop/voice.h"

namespace qrv::win32 {

// Creates SAPI 5 voices (SpVoice with the user's default voice).
class SapiVoiceFactory : public VoiceFactory {
  public:
    std::unique_ptr<Voice> CreateVoice() override;
};

}  // namespace qrv::win32
