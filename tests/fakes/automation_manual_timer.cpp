#include "fakes/automation_manual_timer.h"

namespace qrv {

void ManualOneShotTimer::Start(uint32_t ms, std::function<void()> onTimeout) {
    ++starts;
    m_deadline = now + ms;
    m_onTimeout = std::move(onTimeout);
}

void ManualOneShotTimer::Advance(uint64_t ms) {
    const uint64_t end = now + ms;
    while (m_deadline && *m_deadline <= end) {
        now = *m_deadline;
        m_deadline.reset();
        m_onTimeout();
    }
    now = end;
}

}  // namespace qrv
