#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "search/window_activator.h"

namespace qrv {

struct TopLevelWindow {
    WindowId id = 0;
    std::string title;
    bool enabled = true;
    bool visible = true;
    bool maximized = false;
    bool minimized = false;
    int64_t processId = 0;
};

// The desktop's top-level windows.
class TopLevelWindows {
public:
    virtual ~TopLevelWindows() = default;
    virtual std::vector<TopLevelWindow> Enumerate() = 0;
};

}  // namespace qrv
