#include "core/base/run_stop.h"

#include <chrono>

namespace qrv {

void RunStop::Request() {
    Store(true);
}

void RunStop::Clear() {
    Store(false);
}

void RunStop::RequestClose() {
    m_closing.store(true);
    Store(true);
}

bool RunStop::Wait(uint32_t ms) const {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(ms), [this] { return Requested(); });
}

void RunStop::Store(bool requested) {
    {
        // Stored under the lock so that a waiter cannot miss it between its
        // check and its wait.
        std::lock_guard lock(m_mutex);
        m_requested.store(requested ? 1 : 0);
    }
    m_changed.notify_all();
}

}  // namespace qrv
