#pragma once

#include "core/desktop/top_level_windows.h"
#include "core/desktop/window_activator.h"

namespace qrv {

// The windows of a desktop that shows its clients no window list (the portal
// path): none are listed, so none can be activated.
class UnlistedWindows : public TopLevelWindows, public WindowActivator {
  public:
    std::vector<TopLevelWindow> Enumerate() override { return {}; }
    void Activate(WindowId /*window*/) override {}
};

}  // namespace qrv
