#pragma once

#include "platform/desktop_platform.h"

namespace qrv {

// Fills the services every Linux desktop shares, whatever its display
// protocol: the INI profile, the XDG folders, the freedesktop shell, espeak-ng
// voices, launcher-entry progress, the image codec and writer and the AT-SPI
// tree.
void AddLinuxDesktopServices(DesktopPlatform& platform);

// Opens one Linux desktop backend named `name`: the shared services and, when
// `reach` asks for the session, the sound theme beeper and the backend's own
// services (`addSession`, which may replace the beeper).
std::unique_ptr<DesktopPlatform> OpenLinuxDesktop(const char* name, PlatformReach reach,
                                                  void (*addSession)(DesktopPlatform&));

}  // namespace qrv
