#pragma once

#include <memory>

#include "platform/desktop_platform.h"

namespace qrv {

// One desktop backend as OpenDesktopPlatform() sees it. Each backend folder
// defines one of these as `qrv::<name>::kBackend` in `<name>_backend.h`.
struct Backend {
    const char* name;
    // True when the running session is this backend's desktop.
    bool (*fitsSession)();
    // Opens every service `reach` asks for; never null.
    std::unique_ptr<DesktopPlatform> (*open)(PlatformReach reach);
    // What the user may check when no session of this kind answered.
    const char* unreachableHint;
};

}  // namespace qrv
