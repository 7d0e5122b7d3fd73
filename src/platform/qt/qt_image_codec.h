#pragma once

#include <QByteArray>
#include <cstdint>
#include <string>

#include "core/desktop/image_codec.h"
#include "core/imaging/image_header_depth.h"

namespace qrv {

// Decodes PNG files with libpng (PngDecoder) and JPEG, BMP, GIF and TIFF files
// with Qt's image readers. The depth reported is the one the file declares in
// its own header (see ReadHeaderDepth); the pixels always come out as 32-bit
// blue-green-red-alpha, with alpha 255 unless the file carries alpha.
//
// Only regular files are read, and only images a screen area or a picture can
// plausibly be: files declaring more than kMaxSide pixels a side or more than
// `maxPixels` pixels are refused from their header with kStatusOutOfMemory.
class QtImageCodec : public ImageCodec {
  public:
    static constexpr int32_t kMaxSide = kMaxImageSide;
    static constexpr uint64_t kDefaultMaxPixels = kMaxImagePixels;
    // Beyond the pixels, headers and metadata of any sensible file fit here.
    static constexpr int64_t kMaxFileBytes = int64_t(kDefaultMaxPixels) * 4 + (int64_t(1) << 20);

    explicit QtImageCodec(uint64_t maxPixels = kDefaultMaxPixels);

    uint32_t LoadImageFile(const std::string& path, DecodedImage& out) override;
    // Decodes a file already read into memory.
    uint32_t DecodeImageBytes(const QByteArray& bytes, DecodedImage& out) const;

  private:
    uint32_t Decode(const QByteArray& bytes, DecodedImage& out) const;
    uint32_t DecodeWithQt(const QByteArray& bytes, const HeaderDepth& header,
                          PixelImage& into) const;
    bool Plausible(int64_t width, int64_t height) const;

    uint64_t m_maxPixels;
};

}  // namespace qrv
