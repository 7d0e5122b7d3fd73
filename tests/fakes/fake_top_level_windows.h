#pragma once

#include <vector>

#include "core/desktop/top_level_windows.h"

namespace qrv {

// A settable list of top-level windows; counts enumerations. Set before use.
class FakeTopLevelWindows : public TopLevelWindows {
  public:
    std::vector<TopLevelWindow> Enumerate() override {
        ++enumerations;
        return windows;
    }

    std::vector<TopLevelWindow> windows;
    int enumerations = 0;
};

}  // namespace qrv
