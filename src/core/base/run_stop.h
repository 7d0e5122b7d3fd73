#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace qrv {

// The stop state of the search runs of one controller, shared by the
// user-interface thread, the search worker and whoever else asks a run to
// stop. Requests wake every Wait at once.
class RunStop {
  public:
    // Asks the current run to stop. Not for signal handlers.
    void Request();
    // Clears the request before a run starts.
    void Clear();
    // Asks the run to stop because the main window is closing; its worker
    // then ends the window instead of reporting.
    void RequestClose();

    bool Requested() const { return m_requested.load() != 0; }
    // Set before the request, so a worker that sees the request sees this too.
    bool Closing() const { return m_closing.load(); }
    // The request as a flag for scans and services that poll it.
    const std::atomic<int32_t>& Flag() const { return m_requested; }

    // Waits until a stop is requested or `ms` milliseconds have passed,
    // whichever comes first. True when a stop is requested.
    bool Wait(uint32_t ms) const;

  private:
    void Store(bool requested);

    std::atomic<int32_t> m_requested{0};
    std::atomic<bool> m_closing{false};
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
};

}  // namespace qrv
