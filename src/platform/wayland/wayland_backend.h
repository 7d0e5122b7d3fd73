#pragma once

#include "platform/backend.h"

namespace qrv::wayland {

// The Wayland desktop: chosen when WAYLAND_DISPLAY names a compositor that
// lets clients read the screen (wlr-screencopy) and move the pointer
// (wlr-virtual-pointer).
extern const Backend kBackend;

}  // namespace qrv::wayland
