#pragma once

#include <cstdint>
#include <functional>

namespace qrv {

// A timer that fires once on the GUI thread.
class OneShotTimer {
  public:
    virtual ~OneShotTimer() = default;
    // Arms the timer, replacing a pending one.
    virtual void Start(uint32_t ms, std::function<void()> onTimeout) = 0;
    virtual void Stop() = 0;
};

}  // namespace qrv
