#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "core/base/image_header.h"
#include "core/base/pixel_image.h"

namespace qrv {

// Status codes of image loading.
inline constexpr uint32_t kStatusOk = 0;
inline constexpr uint32_t kStatusFail = 0x80004005;
inline constexpr uint32_t kStatusOutOfMemory = 0x8007000E;
// A file of a kind the codec does not decode itself, with no reader added for it.
inline constexpr uint32_t kStatusNotSupported = 0x80070032;
// The caller turned the file down from its header: nothing was decoded.
inline constexpr uint32_t kStatusRefused = 0x800704C7;

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

// Whether a file whose header says this is worth decoding.
using HeaderCheck = std::function<bool(const ImageHeader&)>;

// Decodes a whole file of a kind the codec does not read itself into `into`:
// 32-bit pixels of the header's size, alpha 255 unless the header has alpha.
// The codec has checked the file first (a regular file, its header complete,
// within the size caps). Returns a load status.
using ImageKindReader = std::function<uint32_t(std::span<const uint8_t> file,
                                               const ImageHeader& header, PixelImage& into)>;

class ImageCodec {
  public:
    virtual ~ImageCodec() = default;
    // Decodes a file; on failure returns a status other than kStatusOk and
    // leaves `out` empty.
    uint32_t LoadImageFile(const std::string& path, DecodedImage& out) {
        return LoadImageFileIf(path, {}, out);
    }
    // Like LoadImageFile, but a file whose header `admit` (when set) turns
    // down is not decoded: kStatusRefused.
    virtual uint32_t LoadImageFileIf(const std::string& path, const HeaderCheck& admit,
                                     DecodedImage& out) = 0;
    // Hands files of the kinds the codec does not decode itself to `reader`;
    // without one they fail with kStatusNotSupported.
    virtual void ReadOtherKindsWith(ImageKindReader reader) = 0;
};

}  // namespace qrv
