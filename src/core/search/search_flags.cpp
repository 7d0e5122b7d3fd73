#include "core/search/search_flags.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace qrv {

std::atomic<int32_t> g_bAbortSearch{0};
std::atomic<int32_t> g_bClosing{0};
std::atomic<int32_t> g_bCursorOffAreaMonitor{0};

namespace {

std::mutex g_flagMutex;
std::condition_variable g_flagChanged;

}  // namespace

void SetFlag(std::atomic<int32_t>& flag, bool on) {
    {
        // Stored under the lock so that a waiter cannot miss it between its
        // check and its wait.
        std::lock_guard lock(g_flagMutex);
        flag.store(on ? 1 : 0, std::memory_order_relaxed);
    }
    g_flagChanged.notify_all();
}

bool WaitForFlag(const std::atomic<int32_t>& flag, uint32_t ms) {
    std::unique_lock lock(g_flagMutex);
    return g_flagChanged.wait_for(lock, std::chrono::milliseconds(ms),
                                  [&flag] { return IsSet(flag); });
}

}  // namespace qrv
