#pragma once

#include <canberra.h>

#include "platform/freedesktop/shared_library.h"

namespace qrv {

// libcanberra's functions, loaded at the first sound: a process that plays
// none loads neither it nor its sound back ends.
class CanberraLibrary {
  public:
    // The library, loaded once and kept for the process; null when it or one
    // of its functions is missing.
    static const CanberraLibrary* Get();

    decltype(&ca_context_create) contextCreate = nullptr;
    decltype(&ca_context_destroy) contextDestroy = nullptr;
    decltype(&ca_context_play) contextPlay = nullptr;

  private:
    CanberraLibrary();
    bool Complete() const { return m_complete; }

    SharedLibrary m_library;
    bool m_complete;
};

}  // namespace qrv
