#pragma once

#include "core/desktop/top_level_windows.h"

namespace qrv::win32 {

// EnumWindows, in the system's z-order, with each window's title and state.
class Win32TopLevelWindows : public TopLevelWindows {
  public:
    std::vector<TopLevelWindow> Enumerate() override;
};

}  // namespace qrv::win32
