#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/desktop/image_codec.h"

namespace qrv {

// Decodes image files without any toolkit: PNG (DecodePng) and BMP
// (DecodeBmp) itself, JPEG, GIF and TIFF through the reader added for them
// (ReadOtherKindsWith), else not at all (kStatusNotSupported). The depth
// reported is the one the file declares in its own header (ReadHeaderDepth);
// the pixels always come out as 32-bit blue-green-red-alpha, with alpha 255
// unless the file carries alpha.
//
// Only regular files are read, and only images a screen area or a picture can
// plausibly be: files declaring more than kMaxSide pixels a side or more than
// `maxPixels` pixels are refused from their header with kStatusOutOfMemory.
class ImageFileCodec : public ImageCodec {
  public:
    static constexpr int32_t kMaxSide = kMaxImageSide;
    static constexpr uint64_t kDefaultMaxPixels = kMaxImagePixels;
    // Beyond the pixels, headers and metadata of any sensible file fit here.
    static constexpr int64_t kMaxFileBytes = int64_t(kDefaultMaxPixels) * 4 + (int64_t(1) << 20);

    explicit ImageFileCodec(uint64_t maxPixels = kDefaultMaxPixels);

    uint32_t LoadImageFileIf(const std::string& path, const HeaderCheck& admit,
                             DecodedImage& out) override;
    void ReadOtherKindsWith(ImageKindReader reader) override;
    // Decodes a file already read into memory, whose bytes it may change.
    uint32_t DecodeImageBytes(std::span<uint8_t> bytes, const HeaderCheck& admit,
                              DecodedImage& out) const;

  private:
    uint32_t Decode(std::span<uint8_t> bytes, const HeaderCheck& admit, DecodedImage& out) const;
    bool Plausible(const ImageHeader& header) const;

    uint64_t m_maxPixels;
    ImageKindReader m_otherKinds;
};

}  // namespace qrv
