#include "platform/freedesktop/portal_hot_keys.h"

#include "platform/freedesktop/portal_global_hot_keys.h"
#include "platform/freedesktop/portal_timeouts.h"

namespace qrv {

void AddPortalHotKeys(DesktopPlatform& platform) {
    if (PortalGlobalHotKeys::Offered()) {
        platform.hotKeys = std::make_unique<PortalGlobalHotKeys>(kPortalAnswerMs);
    }
}

}  // namespace qrv
