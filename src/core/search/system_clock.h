#pragma once

#include "core/desktop/clock.h"

namespace qrv {

// The system's clocks: wall-clock seconds, a monotonic millisecond tick and
// real sleeping.
class SystemClock : public Clock {
  public:
    int64_t WallSeconds() override;
    uint64_t TickMs() override;
    void SleepMs(uint32_t ms) override;
    void SleepMsUnlessSet(uint32_t ms, const std::atomic<int32_t>& flag) override;
};

}  // namespace qrv
