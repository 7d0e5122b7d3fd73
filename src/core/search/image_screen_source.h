#pragma once

#include "core/desktop/screen_source.h"
#include "core/search/geometry.h"

namespace qrv {

// A screen made of one image whose top-left pixel lies at `origin`; every
// pixel outside it reads as black. Lets a search run over a saved screenshot.
class ImageScreenSource : public ScreenSource {
  public:
    ImageScreenSource(PixelImage image, Point origin);

    bool Capture(int32_t left, int32_t top, int32_t width, int32_t height,
                 PixelImage& into) override;

    // The screen rectangle the image covers.
    Rect Bounds() const;

  private:
    PixelImage m_image;
    Point m_origin;
};

}  // namespace qrv
