#include "fakes/fake_clock.h"

#include <string>
#include <utility>

namespace qrv {

namespace {

// Tick counts start high so that their low 32 bits differ from the full value.
constexpr uint64_t kTickBase = 0x1'0000'0000ull + 5000;

}  // namespace

FakeClock::FakeClock(ActionLog* log, int64_t startWallSeconds)
    : m_log(log), m_startWall(startWallSeconds) {}

int64_t FakeClock::WallSeconds() {
    std::lock_guard lock(m_mutex);
    return m_startWall + static_cast<int64_t>(m_elapsedMs / 1000);
}

uint64_t FakeClock::TickMs() {
    std::lock_guard lock(m_mutex);
    return kTickBase + m_elapsedMs;
}

void FakeClock::SleepMs(uint32_t ms) {
    if (m_log) {
        m_log->Add("sleep " + std::to_string(ms));
    }
    std::function<void(int)> hook;
    int sleeps = 0;
    {
        std::lock_guard lock(m_mutex);
        m_elapsedMs += ms;
        sleeps = ++m_sleeps;
        hook = m_hook;
    }
    if (hook) {
        hook(sleeps);
    }
}

void FakeClock::Advance(uint64_t ms) {
    std::lock_guard lock(m_mutex);
    m_elapsedMs += ms;
}

void FakeClock::SetSleepHook(std::function<void(int)> hook) {
    std::lock_guard lock(m_mutex);
    m_hook = std::move(hook);
}

}  // namespace qrv
