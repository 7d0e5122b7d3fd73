#pragma once

#include <memory>

#include "core/base/geometry.h"
#include "core/desktop/screen_source.h"

namespace qrv {

// A screen made of one image whose top-left pixel lies at `origin`; every
// pixel outside it reads as black. Lets a search run over a saved screenshot.
//
// A capture of an area inside the image shows the image's own pixels instead
// of a copy (rows a whole image row apart): the captured image keeps them
// alive and must not be written to.
class ImageScreenSource : public ScreenSource {
  public:
    ImageScreenSource(PixelImage image, Point origin);

    bool Capture(Rect area, PixelImage& into) override;
    void Prepare(Rect area, PixelImage& into) override;

    // The screen rectangle the image covers.
    Rect Bounds() const;

  private:
    bool Inside(Rect area) const;

    std::shared_ptr<PixelImage> m_image;
    Point m_origin;
};

}  // namespace qrv
