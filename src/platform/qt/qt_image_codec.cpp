#include "platform/qt/qt_image_codec.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <memory>
#include <new>
#include <span>

#include "platform/files/regular_file_reader.h"
#include "platform/png/png_decoder.h"

namespace qrv {
namespace {

const char* ReaderFormat(ImageFileKind kind) {
    switch (kind) {
        case ImageFileKind::Png:
            return "png";
        case ImageFileKind::Jpeg:
            return "jpeg";
        case ImageFileKind::Bmp:
            return "bmp";
        case ImageFileKind::Gif:
            return "gif";
        case ImageFileKind::Tiff:
            return "tiff";
    }
    return "";
}

// Qt's own allocation guard, in MiB, for the image it decodes into.
int AllocationLimitMiB(uint64_t maxPixels) {
    return int(maxPixels * 4 / (1024 * 1024) + 1);
}

// Hands the image's own pixel block to `into`, which keeps it alive: no copy.
void AdoptPixels(QImage image, PixelImage& into) {
    auto owner = std::make_shared<QImage>(std::move(image));
    uint8_t* pixels = owner->bits();  // the only reference: no detach copy
    const std::size_t capacity = std::size_t(owner->sizeInBytes());
    const int32_t width = owner->width();
    const int32_t height = owner->height();
    into.Adopt(std::move(owner), pixels, capacity, width, height);
}

}  // namespace

QtImageCodec::QtImageCodec(uint64_t maxPixels) : m_maxPixels(maxPixels) {}

uint32_t QtImageCodec::LoadImageFile(const std::string& path, DecodedImage& out) {
    out = DecodedImage{};
    QByteArray bytes;
    try {
        const uint32_t status = ReadRegularFile(path, kMaxFileBytes, bytes);
        if (status != kStatusOk) {
            return status;
        }
    } catch (const std::bad_alloc&) {
        return kStatusOutOfMemory;
    }
    return DecodeImageBytes(bytes, out);
}

uint32_t QtImageCodec::DecodeImageBytes(const QByteArray& bytes, DecodedImage& out) const {
    out = DecodedImage{};
    try {
        return Decode(bytes, out);
    } catch (const std::bad_alloc&) {
        out = DecodedImage{};
        return kStatusOutOfMemory;
    }
}

bool QtImageCodec::Plausible(int64_t width, int64_t height) const {
    return width <= kMaxSide && height <= kMaxSide && uint64_t(width * height) <= m_maxPixels;
}

uint32_t QtImageCodec::Decode(const QByteArray& bytes, DecodedImage& out) const {
    const std::span file(reinterpret_cast<const uint8_t*>(bytes.constData()),
                         std::size_t(bytes.size()));
    const auto header = ReadHeaderDepth(file);
    if (!header) {
        return kStatusFail;
    }
    if (!Plausible(header->width, header->height)) {
        return kStatusOutOfMemory;
    }
    // PNG, the screenshots' format, skips Qt's reader and its conversion.
    if (header->kind == ImageFileKind::Png && PngDecoder::Available()) {
        if (!PngDecoder::Decode(file, header->width, header->height, out.pixels)) {
            return kStatusFail;
        }
    } else if (const uint32_t status = DecodeWithQt(bytes, *header, out.pixels);
               status != kStatusOk) {
        return status;
    }
    out.bitsPerPixel = header->bitsPerPixel;
    out.hasAlpha = header->hasAlpha;
    return kStatusOk;
}

uint32_t QtImageCodec::DecodeWithQt(const QByteArray& bytes, const HeaderDepth& header,
                                    PixelImage& into) const {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, ReaderFormat(header.kind));
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(AllocationLimitMiB(m_maxPixels));
    // The decoder's reading of the header must be plausible too (a GIF's
    // canvas can be larger than its frames) before anything is decoded.
    const QSize declared = reader.size();
    if (declared.isValid() && !Plausible(declared.width(), declared.height())) {
        return kStatusOutOfMemory;
    }
    QImage image;
    if (!reader.read(&image) || image.width() != header.width || image.height() != header.height) {
        return kStatusFail;
    }
    // Decoders that already produce 32-bit pixels are used in place; others
    // are converted once, straight into the final layout.
    QImage bgra = std::move(image).convertToFormat(header.hasAlpha ? QImage::Format_ARGB32
                                                                   : QImage::Format_RGB32);
    if (bgra.isNull() || bgra.bytesPerLine() != qsizetype(bgra.width()) * 4) {
        return kStatusOutOfMemory;
    }
    AdoptPixels(std::move(bgra), into);
    return kStatusOk;
}

}  // namespace qrv
