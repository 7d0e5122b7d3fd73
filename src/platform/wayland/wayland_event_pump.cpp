#include "platform/wayland/wayland_event_pump.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <new>

namespace qrv {

WaylandEventPump::WaylandEventPump(int displayFd, std::function<bool(int& waitMs)> dispatch)
    : m_displayFd(displayFd), m_wakeFd(eventfd(0, EFD_CLOEXEC)), m_dispatch(std::move(dispatch)) {
    if (m_wakeFd >= 0) {
        m_thread = std::thread([this] { Run(); });
    }
}

WaylandEventPump::~WaylandEventPump() {
    if (m_thread.joinable()) {
        m_stop = true;
        Wake();
        m_thread.join();
    }
    if (m_wakeFd >= 0) {
        close(m_wakeFd);
    }
}

void WaylandEventPump::Wake() {
    const uint64_t one = 1;
    while (m_wakeFd >= 0 && write(m_wakeFd, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

void WaylandEventPump::Run() {
    try {
        int waitMs = -1;
        for (;;) {
            pollfd fds[2] = {{m_displayFd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
            if (poll(fds, 2, waitMs) < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return;
            }
            uint64_t wakes = 0;
            if (fds[1].revents != 0 && read(m_wakeFd, &wakes, sizeof wakes) < 0 && errno != EINTR) {
                return;
            }
            if (m_stop || (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0 ||
                !m_dispatch(waitMs)) {
                return;
            }
        }
    } catch (const std::bad_alloc&) {
        // Out of memory: stop pumping; captures then dispatch for themselves.
    }
}

}  // namespace qrv
