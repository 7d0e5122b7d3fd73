#pragma once

#include <cstdint>

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
};

}  // namespace qrv
