#pragma once

#include <QByteArray>
#include <cstdint>
#include <string>

#include "imaging/image_codec.h"

namespace qrv {

// Decodes PNG, JPEG, BMP, GIF and TIFF files with Qt's image readers. The depth
// reported is the one the file declares in its own header (see
// ReadHeaderDepth); the pixels always come out as 32-bit blue-green-red-alpha,
// with alpha 255 unless the file carries alpha.
class QtImageCodec : public ImageCodec {
  public:
    // About 1 GiB of 32-bit pixels.
    static constexpr uint64_t kDefaultMaxPixels = uint64_t(1) << 28;

    // Files declaring more than `maxPixels` pixels are refused as hostile.
    explicit QtImageCodec(uint64_t maxPixels = kDefaultMaxPixels);

    uint32_t LoadImageFile(const std::string& path, DecodedImage& out) override;
    // Decodes a file already read into memory.
    uint32_t DecodeImageBytes(const QByteArray& bytes, DecodedImage& out) const;

  private:
    uint32_t Decode(const QByteArray& bytes, DecodedImage& out) const;

    uint64_t m_nMaxPixels;
};

}  // namespace qrv
