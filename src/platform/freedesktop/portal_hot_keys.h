#pragma once

#include "platform/desktop_platform.h"

namespace qrv {

// Makes the portal's GlobalShortcuts the hot-key service where the portal
// offers it; elsewhere leaves `hotKeys` null, and start/stop requests come
// over the session bus only.
void AddPortalHotKeys(DesktopPlatform& platform);

}  // namespace qrv
