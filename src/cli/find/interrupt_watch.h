#pragma once

#include <thread>

namespace qrv::cli {

// Ctrl+C and SIGTERM while it lives: the first stops the search run (its
// pauses wake at once), a second ends the process at once with status
// 128 + the signal. The handler only writes to a pipe; a watcher thread sets
// the stop flag. One instance at a time.
class InterruptWatch {
  public:
    InterruptWatch();
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

  private:
    void Watch();

    std::thread m_watcher;
};

}  // namespace qrv::cli
