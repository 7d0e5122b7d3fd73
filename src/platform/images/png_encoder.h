#pragma once

#include <cstdint>
#include <vector>

#include "core/base/pixel_image.h"

namespace qrv {

// Encodes pixels as a PNG file of 8-bit RGBA pixels, all opaque (the fourth
// byte of captured pixels means nothing), so that the file loads back as a
// 32-bit picture. Throws std::bad_alloc when memory runs out.
std::vector<uint8_t> EncodePng(const PixelImage& pixels);

}  // namespace qrv
