#include "app/imaging/qt_image_reader.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <memory>

#include "core/desktop/image_codec.h"

namespace qrv {
namespace {

const char* ReaderFormat(ImageFileKind kind) {
    switch (kind) {
        case ImageFileKind::Jpeg:
            return "jpeg";
        case ImageFileKind::Gif:
            return "gif";
        case ImageFileKind::Tiff:
            return "tiff";
        case ImageFileKind::Png:
        case ImageFileKind::Bmp:
            break;
    }
    return "";
}

// Qt's own allocation guard, in MiB: room for the declared pixels only.
int AllocationLimitMiB(const ImageHeader& header) {
    return int(uint64_t(header.width) * uint64_t(header.height) * 4 / (1024 * 1024) + 1);
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

uint32_t ReadImageWithQt(std::span<const uint8_t> file, const ImageHeader& header,
                         PixelImage& into) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, ReaderFormat(header.kind));
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(AllocationLimitMiB(header));
    const QSize declared = reader.size();
    if (declared.isValid() && declared != QSize(header.width, header.height)) {
        return kStatusFail;
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
