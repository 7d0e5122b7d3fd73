#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "core/desktop/clock.h"
#include "fakes/action_log.h"

namespace qrv {

// Virtual time: SleepMs advances it at once and never really sleeps. The wall
// clock is the start second plus the whole seconds elapsed.
class FakeClock : public Clock {
  public:
    explicit FakeClock(ActionLog* log = nullptr, int64_t startWallSeconds = 1'700'000'000)
        : m_log(log), m_startWall(startWallSeconds) {}

    int64_t WallSeconds() override {
        std::lock_guard lock(m_mutex);
        return m_startWall + static_cast<int64_t>(m_elapsedMs / 1000);
    }
    // Tick counts start high so that their low 32 bits differ from the full value.
    uint64_t TickMs() override {
        std::lock_guard lock(m_mutex);
        return 0x1'0000'0000ull + 5000 + m_elapsedMs;
    }
    // Logs "sleep <ms>", advances the time, then calls the sleep hook.
    void SleepMs(uint32_t ms) override {
        if (m_log) {
            m_log->Add("sleep " + std::to_string(ms));
        }
        std::unique_lock lock(m_mutex);
        m_elapsedMs += ms;
        const int sleeps = ++m_sleeps;
        const std::function<void(int)> hook = m_hook;
        lock.unlock();
        if (hook) {
            hook(sleeps);
        }
    }

    // Virtual time does not wait for the flag: a plain SleepMs.
    void SleepMsUnlessSet(uint32_t ms, const std::atomic<int32_t>&) override { SleepMs(ms); }

    void Advance(uint64_t ms) {
        std::lock_guard lock(m_mutex);
        m_elapsedMs += ms;
    }
    // Called after every sleep with the number of sleeps so far (from 1), on
    // the sleeping thread.
    void SetSleepHook(std::function<void(int)> hook) {
        std::lock_guard lock(m_mutex);
        m_hook = std::move(hook);
    }

  private:
    ActionLog* m_log;
    std::mutex m_mutex;
    int64_t m_startWall;
    uint64_t m_elapsedMs = 0;
    int m_sleeps = 0;
    std::function<void(int)> m_hook;
};

}  // namespace qrv
