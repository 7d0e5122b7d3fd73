#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/base/geometry.h"
#include "core/desktop/window_activator.h"

namespace qrv {

struct TopLevelWindow {
    WindowId id = 0;
    std::string title;
    // Not enabled while it owns a shown modal dialog.
    bool enabled = true;
    // Minimised windows and windows on other workspaces are visible too.
    bool visible = true;
    bool maximized = false;
    bool minimized = false;
    int64_t processId = 0;
    // Where the window's client area and its window manager's frame are on
    // the screen, when known.
    std::optional<Rect> clientRect{};
    std::optional<Rect> frameRect{};
};

// The desktop's top-level windows.
class TopLevelWindows {
  public:
    virtual ~TopLevelWindows() = default;
    virtual std::vector<TopLevelWindow> Enumerate() = 0;
};

}  // namespace qrv
