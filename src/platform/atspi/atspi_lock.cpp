#include "platform/atspi/atspi_lock.h"

namespace qrv {

std::recursive_mutex& AtspiLock() {
    static std::recursive_mutex lock;
    return lock;
}

}  // namespace qrv
