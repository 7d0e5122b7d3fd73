#pragma once

#include <cstdint>
#include <string>

#include "core/base/pixel_image.h"

namespace qrv {

// Status codes of image loading.
inline constexpr uint32_t kStatusOk = 0;
inline constexpr uint32_t kStatusFail = 0x80004005;
inline constexpr uint32_t kStatusOutOfMemory = 0x8007000E;

// The largest image any codec decodes: a screen area or a picture is never
// wider or taller than this, nor holds more than 512 MiB of 32-bit pixels.
// Larger files are refused with kStatusOutOfMemory.
inline constexpr int32_t kMaxImageSide = 16384;
inline constexpr uint64_t kMaxImagePixels = (uint64_t(512) << 20) / 4;

// A decoded image file: its pixels as 32-bit blue-green-red-alpha, and the
// depth the file itself has.
struct DecodedImage {
    PixelImage pixels;
    int32_t bitsPerPixel = 0;
    bool hasAlpha = false;
};

class ImageCodec {
  public:
    virtual ~ImageCodec() = default;
    // Decodes a file; on failure returns a status other than kStatusOk and
    // leaves `out` empty.
    virtual uint32_t LoadImageFile(const std::string& path, DecodedImage& out) = 0;
};

}  // namespace qrv
