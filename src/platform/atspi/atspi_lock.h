#pragma once

#include <mutex>

namespace qrv {

// The accessibility client library keeps unlocked process-wide state, so all
// of its calls, from any thread, go through this one lock.
std::recursive_mutex& AtspiLock();

}  // namespace qrv
