#pragma once

#include <cstdint>
#include <span>

#include "core/base/image_header.h"
#include "core/base/pixel_image.h"

namespace qrv {

// Decodes a whole PNG file held in memory into `into`, the matcher's layout:
// 32-bit blue-green-red-alpha rows written once, each straight from its
// inflated row (see PngRowWriter). Every chunk's CRC and the pixel data's
// checksum are checked; truncated, corrupt or contradictory files fail, and
// so does a file whose pixel data inflates to more or less than its size
// needs.
//
// Where the rows fit (no interlacing, at most 4 bytes a pixel), the pixel
// data is inflated in one go (libdeflate) into the end of the image's own
// block; other files are inflated row by row (zlib). Either way the image is
// the one large allocation. `file` is used as scratch: the pixel data of its
// IDAT chunks is moved together, so its bytes change.
//
// `header` is what ReadHeaderDepth read from the file. False, with `into`
// empty, on any decoding failure; throws std::bad_alloc when memory runs out.
bool DecodePng(std::span<uint8_t> file, const ImageHeader& header, PixelImage& into);

}  // namespace qrv
