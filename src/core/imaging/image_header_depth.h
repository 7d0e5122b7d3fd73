#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "core/base/image_header.h"

namespace qrv {

// Reads the header of a PNG, JPEG, BMP, GIF or TIFF file held in memory.
// Returns nothing for any other content, for a header that contradicts itself
// and for a file whose pixel data is cut off, so that a decoder is only ever
// handed complete files.
//
// Depth rule, by the file's own description of its pixels:
// - alpha of any kind (PNG colour types 4 and 6, a PNG tRNS chunk, a TIFF alpha
//   extra sample) gives 32 with alpha;
// - 8-bit RGB gives 24; 16-bit RGB, 16-bit grey and CMYK give 32 without alpha;
// - palette and grey pixels of 1, 4 or 8 bits keep their depth; 2-bit pixels
//   widen to 8;
// - a BMP keeps its own bit count (its alpha is ignored), a GIF gives 8.
std::optional<ImageHeader> ReadHeaderDepth(std::span<const uint8_t> file);

}  // namespace qrv
