#pragma once

#include "core/desktop/display_layout.h"

namespace qrv::win32 {

// The monitors as the system reports them, in physical pixels of a
// per-monitor DPI aware process.
class Win32DisplayLayout : public DisplayLayout {
  public:
    Rect VirtualScreen() override;
    std::vector<Rect> Monitors() override;
};

}  // namespace qrv::win32
