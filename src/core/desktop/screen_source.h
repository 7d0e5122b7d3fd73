#pragma once

#include <cstdint>

#include "core/base/pixel_image.h"

namespace qrv {

// Reads screen pixels. Coordinates are physical pixels of the virtual screen.
class ScreenSource {
  public:
    virtual ~ScreenSource() = default;
    // Fills `into` with width x height pixels of the screen at (left, top), top
    // row first. Parts outside every monitor read as black; the image always
    // has the full size. Returns false when nothing could be read (the image is
    // then zeroed). Reuses the image's buffer when its size is unchanged.
    virtual bool Capture(int32_t left, int32_t top, int32_t width, int32_t height,
                         PixelImage& into) = 0;
    // Readies `into` for captures of this rectangle before a run's clock
    // starts, so that the first capture does not pay for fresh memory.
    virtual void Prepare(int32_t /*left*/, int32_t /*top*/, int32_t width, int32_t height,
                         PixelImage& into) {
        into.Reset(width, height);
    }
};

}  // namespace qrv
