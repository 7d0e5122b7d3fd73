#include "qt/qt_image_codec.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <cstring>
#include <new>
#include <span>

#include "imaging/image_header_depth.h"

namespace qrv {
namespace {

constexpr qint64 kMaxFileBytes = qint64(1) << 31;

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

// Qt's own allocation guard, in MiB; 16-bit sources decode to 8 bytes per pixel.
int AllocationLimitMiB(uint64_t maxPixels) {
    return int(maxPixels * 8 / (1024 * 1024) + 1);
}

void CopyPixels(const QImage& image, PixelImage& into) {
    into.Reset(image.width(), image.height());
    const std::size_t rowBytes = std::size_t(image.width()) * 4;
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(into.Row(y), image.constScanLine(y), rowBytes);
    }
}

}  // namespace

QtImageCodec::QtImageCodec(uint64_t maxPixels) : m_nMaxPixels(maxPixels) {}

uint32_t QtImageCodec::LoadImageFile(const std::string& path, DecodedImage& out) {
    out = DecodedImage{};
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return kStatusFail;
    }
    if (file.size() > kMaxFileBytes) {
        return kStatusOutOfMemory;
    }
    QByteArray bytes;
    try {
        bytes = file.readAll();
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

uint32_t QtImageCodec::Decode(const QByteArray& bytes, DecodedImage& out) const {
    const auto header = ReadHeaderDepth(
        std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), std::size_t(bytes.size())));
    if (!header || uint64_t(header->width) * uint64_t(header->height) > m_nMaxPixels) {
        return kStatusFail;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, ReaderFormat(header->kind));
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(AllocationLimitMiB(m_nMaxPixels));
    QImage image;
    if (!reader.read(&image) || image.width() != header->width ||
        image.height() != header->height) {
        return kStatusFail;
    }
    const QImage bgra =
        image.convertToFormat(header->hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (bgra.isNull()) {
        return kStatusOutOfMemory;
    }
    CopyPixels(bgra, out.pixels);
    out.bitsPerPixel = header->bitsPerPixel;
    out.hasAlpha = header->hasAlpha;
    return kStatusOk;
}

}  // namespace qrv
