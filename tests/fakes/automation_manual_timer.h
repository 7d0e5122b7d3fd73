#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "core/desktop/one_shot_timer.h"

namespace qrv {

// A one-shot timer on a simulated clock that only moves through Advance.
class ManualOneShotTimer : public OneShotTimer {
  public:
    void Start(uint32_t ms, std::function<void()> onTimeout) override {
        ++starts;
        m_deadline = now + ms;
        m_onTimeout = std::move(onTimeout);
    }
    void Stop() override { m_deadline.reset(); }
    // Moves the clock on, firing the timer when its deadline is reached.
    void Advance(uint64_t ms) {
        const uint64_t end = now + ms;
        while (m_deadline && *m_deadline <= end) {
            now = *m_deadline;
            m_deadline.reset();
            m_onTimeout();
        }
        now = end;
    }
    bool Pending() const { return m_deadline.has_value(); }

    uint64_t now = 0;
    int starts = 0;

  private:
    std::optional<uint64_t> m_deadline;
    std::function<void()> m_onTimeout;
};

}  // namespace qrv
