#pragma once

#include <cstdint>
#include <vector>

#include "core/base/pixel_image.h"

namespace qrv {

// Encodes pixels as an uncompressed 32-bit BMP file (bottom row first, 4 bytes
// per pixel in the order blue, green, red, unused), so that the file keeps
// the 4 bytes per pixel a search compares.
std::vector<uint8_t> EncodeBmp32(const PixelImage& pixels);

}  // namespace qrv
