#pragma once

#include <cstdint>
#include <span>

#include "core/base/image_header.h"
#include "core/base/pixel_image.h"

namespace qrv {

// Decodes JPEG, GIF and TIFF files with Qt's image readers, for the window's
// image codec (an ImageKindReader): the formats it reads beyond the codec's
// own PNG and BMP. The reader's own idea of the size (a GIF's canvas) must be
// the header's, and the pixels decoded in Qt's block are kept, not copied.
uint32_t ReadImageWithQt(std::span<const uint8_t> file, const ImageHeader& header,
                         PixelImage& into);

}  // namespace qrv
