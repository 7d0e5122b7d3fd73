#include "app/imaging/qt_image_file_writer.h"

#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <cstring>
#include <new>

#include "core/desktop/image_codec.h"

namespace qrv {
namespace {

// The fourth byte of captured pixels is undefined; written files are opaque.
QImage OpaqueImage(const PixelImage& pixels) {
    QImage image(pixels.m_iWidth, pixels.m_iHeight, QImage::Format_ARGB32);
    for (int32_t y = 0; !image.isNull() && y < pixels.m_iHeight; ++y) {
        auto* out = reinterpret_cast<uint32_t*>(image.scanLine(y));
        std::memcpy(out, pixels.Row(y), std::size_t(pixels.m_iWidth) * 4);
        for (int32_t x = 0; x < pixels.m_iWidth; ++x) {
            out[x] |= 0xFF000000u;
        }
    }
    return image;
}

// Encodes the pixels as JPEG or TIFF.
bool Encode(const PixelImage& pixels, CaptureFormat format, QIODevice& into) {
    QImage image = OpaqueImage(pixels);
    if (image.isNull()) {
        throw std::bad_alloc();
    }
    if (format == CaptureFormat::Jpeg) {
        image.convertTo(QImage::Format_RGB32);
    }
    QImageWriter writer(&into, format == CaptureFormat::Jpeg ? "jpeg" : "tiff");
    return writer.write(image);
}

}  // namespace

QtImageFileWriter::QtImageFileWriter(ImageFileWriter& pngAndBmp) : m_pngAndBmp(pngAndBmp) {}

uint32_t QtImageFileWriter::WriteImageFile(const std::string& path, const PixelImage& pixels,
                                           CaptureFormat format) {
    if (format == CaptureFormat::Png || format == CaptureFormat::Bmp) {
        return m_pngAndBmp.WriteImageFile(path, pixels, format);
    }
    if (pixels.Empty() || format == CaptureFormat::Gif) {
        return kStatusFail;
    }
    // Written beside the target and renamed over it, so a failed write leaves
    // no file and an existing one is replaced whole.
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        return kStatusFail;
    }
    try {
        if (!Encode(pixels, format, file) || !file.commit()) {
            file.cancelWriting();
            return kStatusFail;
        }
    } catch (const std::bad_alloc&) {
        file.cancelWriting();
        return kStatusOutOfMemory;
    }
    return kStatusOk;
}

}  // namespace qrv
