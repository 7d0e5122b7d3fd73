#pragma once

#include "platform/backend.h"

namespace qrv::wayland {

// wlroots compositors: chosen when WAYLAND_DISPLAY is set and the compositor
// lets clients read the screen (wlr-screencopy) and move the pointer
// (wlr-virtual-pointer).
extern const Backend kBackend;

}  // namespace qrv::wayland
