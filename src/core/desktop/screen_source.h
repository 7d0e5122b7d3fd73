#pragma once

#include <cstdint>

#include "core/base/geometry.h"
#include "core/base/pixel_image.h"

namespace qrv {

// Reads screen pixels. Coordinates are physical pixels of the virtual screen.
class ScreenSource {
  public:
    virtual ~ScreenSource() = default;
    // Fills `into` with the pixels of `area`, top row first. Parts outside
    // every monitor read as black; the image always has the area's size.
    // Returns false when nothing could be read (the image is then zeroed).
    // Reuses the image's buffer when its size is unchanged.
    virtual bool Capture(Rect area, PixelImage& into) = 0;
    // Readies `into` for captures of `area` before a run's clock starts, so
    // that the first capture does not pay for fresh memory.
    virtual void Prepare(Rect area, PixelImage& into) { into.Reset(area.Width(), area.Height()); }
};

}  // namespace qrv
