#pragma once

#include <cstdint>

#include "core/base/geometry.h"
#include "core/search/picture_matcher.h"

namespace qrv {

// Told about every search attempt once its status line is out and before its
// actions run, on the search thread.
class AttemptObserver {
  public:
    virtual ~AttemptObserver() = default;
    // `scan` holds the attempt's captured area and picture as it scanned them
    // (no sweep, no stop); `at` is the match when found; `scanMs` is the time
    // the scan took.
    virtual void AttemptDone(const MatchInputs& scan, bool found, Point at, uint64_t scanMs) = 0;
};

}  // namespace qrv
