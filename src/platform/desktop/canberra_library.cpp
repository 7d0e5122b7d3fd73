#include "platform/desktop/canberra_library.h"

namespace qrv {

CanberraLibrary::CanberraLibrary() : m_library("libcanberra.so.0") {
    m_complete = m_library.Resolve("ca_context_create", contextCreate) &&
                 m_library.Resolve("ca_context_destroy", contextDestroy) &&
                 m_library.Resolve("ca_context_play", contextPlay);
}

const CanberraLibrary* CanberraLibrary::Get() {
    static const CanberraLibrary library;
    return library.Complete() ? &library : nullptr;
}

}  // namespace qrv
