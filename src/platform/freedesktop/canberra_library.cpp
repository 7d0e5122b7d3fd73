#include "platform/freedesktop/canberra_library.h"

namespace qrv {

CanberraLibrary::CanberraLibrary() : m_library("libcanberra.so.0") {
    m_complete = m_library.Resolve("ca_context_create", contextCreate) &&
                 m_library.Resolve("ca_context_destroy", contextDestroy) &&
                 m_library.Resolve("ca_context_play", contextPlay);
}

// Never closed: engines and players that call it may outlive every static.
const CanberraLibrary* CanberraLibrary::Get() {
    static const CanberraLibrary* const library = new CanberraLibrary();
    return library->Complete() ? library : nullptr;
}

}  // namespace qrv
