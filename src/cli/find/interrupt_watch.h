#pragma once

#include <thread>

#include "core/search/run_stop.h"

namespace qrv::cli {

// Ctrl+C and SIGTERM while it lives: the first stops the search run (its
// pauses wake at once), a second ends the process at once with status
// 128 + the signal. The handler only writes to a pipe; a watcher thread sets
// the stop request. One instance at a time.
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
    std::thread m_watcher;
};

}  // namespace qrv::cli
