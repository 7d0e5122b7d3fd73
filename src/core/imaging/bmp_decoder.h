#pragma once

#include <cstdint>
#include <span>

#include "core/base/image_header.h"
#include "core/base/pixel_image.h"

namespace qrv {

// Decodes a whole BMP file held in memory into `into`: every pixel as blue,
// green, red and 255, rows top first. Reads what ReadHeaderDepth admits as a
// BMP (`header`): OS/2 and Windows headers; 1-, 4- and 8-bit palette pixels,
// run-length coded or not; 16- and 32-bit pixels with or without bit fields
// (channels of fewer than 8 bits are scaled by a power of two, wider ones keep
// their top 8 bits; alpha is ignored); 24-bit pixels. Palette indexes past the
// palette give black; pixels a run-length file skips take the first palette
// entry.
//
// False, with `into` empty, when the file contradicts itself or ends early.
// Throws std::bad_alloc when the pixels cannot be allocated.
bool DecodeBmp(std::span<const uint8_t> file, const ImageHeader& header, PixelImage& into);

}  // namespace qrv
