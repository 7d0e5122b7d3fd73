#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace qrv {

// The period to give a platform timer for a user's millisecond count: 0 would
// make a repeating timer spin, and counts beyond the signed range would keep
// it from starting.
constexpr int TimerPeriodMs(uint32_t ms) {
    return static_cast<int>(
        std::clamp<uint32_t>(ms, 1, uint32_t(std::numeric_limits<int32_t>::max())));
}

}  // namespace qrv
