#pragma once

#include <atomic>
#include <cstdint>

namespace qrv {

// Process-wide flags shared by the user-interface thread and the search worker.
// Relaxed ordering is enough: each is a single whole value polled in loops.
extern std::atomic<int32_t> g_bAbortSearch;  // stop the current run
extern std::atomic<int32_t> g_bClosing;      // the main window was asked to close
extern std::atomic<int32_t> g_bCursorOffAreaMonitor;

inline bool IsSet(const std::atomic<int32_t>& flag) {
    return flag.load(std::memory_order_relaxed) != 0;
}
// Stores the flag and wakes every WaitForFlag. Not for signal handlers.
void SetFlag(std::atomic<int32_t>& flag, bool on);
// Waits until the flag is set through SetFlag or `ms` milliseconds have
// passed, whichever comes first. True when the flag is set.
bool WaitForFlag(const std::atomic<int32_t>& flag, uint32_t ms);

}  // namespace qrv
