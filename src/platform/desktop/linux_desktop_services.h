#pragma once

#include "platform/desktop_platform.h"

namespace qrv {

// Fills the services every Linux desktop shares, whatever its display
// protocol: the INI profile, the XDG folders, the freedesktop shell, espeak-ng
// voices, launcher-entry progress, the Qt image files and the AT-SPI tree.
void AddLinuxDesktopServices(DesktopPlatform& platform);

}  // namespace qrv
