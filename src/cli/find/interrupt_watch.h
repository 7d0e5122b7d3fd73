#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "core/base/run_stop.h"

namespace qrv::cli {

// Ctrl+C and SIGTERM while it lives: the first stops the search run (its
// pauses wake at once), a second ends the process at once with status
// 128 + the signal. The handler only counts, in a lock-free atomic (all a
// portable signal handler may touch); a watcher thread that looks every few
// milliseconds requests the stop. One instance at a time.
class InterruptWatch {
  public:
    // `stop` must outlive the watch.
    explicit InterruptWatch(RunStop& stop);
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

  private:
    void Watch();

    RunStop& m_stop;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_quit = false;
    std::thread m_watcher;
};

}  // namespace qrv::cli
