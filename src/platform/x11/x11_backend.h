#pragma once

#include "platform/backend.h"

namespace qrv::x11 {

// The X11 desktop: chosen when DISPLAY names a display.
extern const Backend kBackend;

}  // namespace qrv::x11
