#include "platform/desktop_platform.h"

namespace qrv {

// Windows has no session bus to check.
std::string CheckSessionBus() {
    return {};
}

std::string SessionBusProblem() {
    return {};
}

}  // namespace qrv
