#include "platform/espeak/espeak_library.h"

namespace qrv {

EspeakLibrary::EspeakLibrary() : m_library("libespeak-ng.so.1") {
    m_complete = m_library.Resolve("espeak_ng_InitializePath", initializePath) &&
                 m_library.Resolve("espeak_ng_Initialize", initialize) &&
                 m_library.Resolve("espeak_ng_InitializeOutput", initializeOutput) &&
                 m_library.Resolve("espeak_ng_SetVoiceByName", setVoiceByName) &&
                 m_library.Resolve("espeak_ng_GetSampleRate", getSampleRate) &&
                 m_library.Resolve("espeak_SetSynthCallback", setSynthCallback) &&
                 m_library.Resolve("espeak_ng_Synthesize", synthesize) &&
                 m_library.Resolve("espeak_ng_Cancel", cancel) &&
                 m_library.Resolve("espeak_ng_Terminate", terminate);
}

// Never closed: engines and players that call it may outlive every static.
const EspeakLibrary* EspeakLibrary::Get() {
    static const EspeakLibrary* const library = new EspeakLibrary();
    return library->Complete() ? library : nullptr;
}

}  // namespace qrv
