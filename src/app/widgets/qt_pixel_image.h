#pragma once

#include <QImage>

#include "core/search/pixel_image.h"

namespace qrv {

// An opaque 32-bit copy of the pixels, for painting.
QImage ToQImage(const PixelImage& pixels);

}  // namespace qrv
