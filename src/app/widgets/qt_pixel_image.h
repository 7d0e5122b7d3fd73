#pragma once

#include <QImage>

#include "core/base/pixel_image.h"

namespace qrv {

// An opaque 32-bit copy of the pixels, for painting.
QImage ToQImage(const PixelImage& pixels);

}  // namespace qrv
