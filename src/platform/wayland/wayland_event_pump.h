#pragma once

#include <functional>
#include <thread>

namespace qrv {

// A thread that runs `dispatch` whenever the connection's file descriptor has
// something to read, until `dispatch` returns false or the pump is destroyed.
// `dispatch` serialises itself with the connection's other users.
class WaylandEventPump {
  public:
    WaylandEventPump(int displayFd, std::function<bool()> dispatch);
    ~WaylandEventPump();
    WaylandEventPump(const WaylandEventPump&) = delete;
    WaylandEventPump& operator=(const WaylandEventPump&) = delete;

  private:
    void Run();

    int m_displayFd;
    int m_wakeFd;
    std::function<bool()> m_dispatch;
    std::thread m_thread;
};

}  // namespace qrv
