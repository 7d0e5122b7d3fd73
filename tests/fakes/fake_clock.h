#pragma once

#include <cstdint>
#include <functional>
#include <mutex>

#include "fakes/action_log.h"
#include "search/clock.h"

namespace qrv {

// Virtual time: SleepMs advances it at once and never really sleeps. The wall
// clock is the start second plus the whole seconds elapsed.
class FakeClock : public Clock {
  public:
    explicit FakeClock(ActionLog* log = nullptr, int64_t startWallSeconds = 1'700'000'000);

    int64_t WallSeconds() override;
    uint64_t TickMs() override;
    // Logs "sleep <ms>", advances the time, then calls the sleep hook.
    void SleepMs(uint32_t ms) override;

    void Advance(uint64_t ms);
    // Called after every sleep with the number of sleeps so far (from 1), on
    // the sleeping thread.
    void SetSleepHook(std::function<void(int)> hook);

  private:
    ActionLog* m_log;
    std::mutex m_mutex;
    int64_t m_startWall;
    uint64_t m_elapsedMs = 0;
    int m_sleeps = 0;
    std::function<void(int)> m_hook;
};

}  // namespace qrv
