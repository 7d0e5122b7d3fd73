#pragma once

#include <vector>

#include "core/base/geometry.h"

namespace qrv {

// The monitors of the desktop, in screen coordinates.
class DisplayLayout {
  public:
    virtual ~DisplayLayout() = default;
    // Bounding box of all monitors; contains (0, 0).
    virtual Rect VirtualScreen() = 0;
    // Every monitor's rectangle in the platform's order.
    virtual std::vector<Rect> Monitors() = 0;
};

}  // namespace qrv
