#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace qrv {

// A thread that runs `dispatch` whenever the connection's file descriptor has
// something to read, or when the wait it asked for has passed, until
// `dispatch` returns false or the pump is destroyed. `dispatch` sets how long
// to wait at most for the next call (in ms, -1 for no limit) and serialises
// itself with the connection's other users.
class WaylandEventPump {
  public:
    WaylandEventPump(int displayFd, std::function<bool(int& waitMs)> dispatch);
    ~WaylandEventPump();
    // Has the thread run `dispatch` soon, events or not.
    void Wake();
    WaylandEventPump(const WaylandEventPump&) = delete;
    WaylandEventPump& operator=(const WaylandEventPump&) = delete;

  private:
    void Run();

    std::atomic<bool> m_stop = false;
    int m_displayFd;
    int m_wakeFd;
    std::function<bool(int& waitMs)> m_dispatch;
    std::thread m_thread;
};

}  // namespace qrv
