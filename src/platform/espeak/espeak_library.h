#pragma once

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include "platform/freedesktop/shared_library.h"

namespace qrv {

// The synthesiser's functions, from libespeak-ng loaded at the first use of
// speech: a process that never speaks loads neither it nor its audio stack.
class EspeakLibrary {
  public:
    // The library, loaded once and kept for the process; null when it or one
    // of its functions is missing.
    static const EspeakLibrary* Get();

    decltype(&espeak_ng_InitializePath) initializePath = nullptr;
    decltype(&espeak_ng_Initialize) initialize = nullptr;
    decltype(&espeak_ng_InitializeOutput) initializeOutput = nullptr;
    decltype(&espeak_ng_SetVoiceByName) setVoiceByName = nullptr;
    decltype(&espeak_ng_GetSampleRate) getSampleRate = nullptr;
    decltype(&espeak_SetSynthCallback) setSynthCallback = nullptr;
    decltype(&espeak_ng_Synthesize) synthesize = nullptr;
    decltype(&espeak_ng_Cancel) cancel = nullptr;
    decltype(&espeak_ng_Terminate) terminate = nullptr;

  private:
    EspeakLibrary();
    bool Complete() const { return m_complete; }

    SharedLibrary m_library;
    bool m_complete;
};

}  // namespace qrv
