#include "platform/desktop_platform.h"

namespace qrv {

// Windows has no session bus to check.
std::string CheckSessionBus() {
    return {};
}

}  // namespace qrv
