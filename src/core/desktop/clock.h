#pragma once

#include <cstdint>

#include "core/base/run_stop.h"

namespace qrv {

// Time sources and sleeping, behind an interface so that runs can be tested
// without waiting.
class Clock {
  public:
    virtual ~Clock() = default;
    // Local wall-clock time in whole seconds.
    virtual int64_t WallSeconds() = 0;
    // Monotonic tick count in milliseconds.
    virtual uint64_t TickMs() = 0;
    virtual void SleepMs(uint32_t ms) = 0;
    // Sleeps like SleepMs, but wakes as soon as the run is asked to stop.
    virtual void SleepMsUnlessStopped(uint32_t ms, const RunStop& stop) = 0;
};

}  // namespace qrv
