#pragma once

#include "platform/backend.h"

namespace qrv::portal {

// Any Wayland desktop whose compositor keeps the screen and the pointer to
// itself (GNOME, KDE, ...): chosen when WAYLAND_DISPLAY is set and the
// desktop portal offers screen casts and remote desktop sessions.
extern const Backend kBackend;

}  // namespace qrv::portal
