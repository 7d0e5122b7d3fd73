#pragma once

#include "platform/backend.h"

namespace qrv::wayland {

// The Wayland desktop: chosen when WAYLAND_DISPLAY is set and either the
// compositor lets clients read the screen (wlr-screencopy) and move the
// pointer (wlr-virtual-pointer), or the desktop portal offers screen casts
// and remote desktop sessions.
extern const Backend kBackend;

}  // namespace qrv::wayland
