#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>

#include <vector>

#include "app/imaging/qt_image_file_writer.h"
#include "app/imaging/qt_image_reader.h"
#include "app_fixture.h"
#include "platform/image_file_bytes.h"
#include "platform/images/image_file_codec.h"
#include "platform/images/png_bmp_file_writer.h"

namespace qrv {
namespace {

using test::Argb;
using test::Bytes;
using test::Gif;

// An 8x8 baseline JPEG whose blocks carry only a zero DC term, so every sample
// decodes to 128. Four components are marked as Adobe CMYK.
QByteArray FlatJpeg(int components) {
    QByteArray file = Bytes({0xFF, 0xD8});
    if (components == 4) {
        file += Bytes({0xFF, 0xEE, 0, 14}) + "Adobe" + Bytes({0, 100, 0, 0, 0, 0, 0});
    }
    file += Bytes({0xFF, 0xDB, 0, 67, 0}) + QByteArray(64, 1);
    file += Bytes({0xFF, 0xC0, 0, 8 + 3 * components, 8, 0, 8, 0, 8, components});
    for (int c = 1; c <= components; ++c)
        file += Bytes({c, 0x11, 0});
    for (int table : {0x00, 0x10}) {  // one one-bit code for symbol 0: DC 0, AC end of block
        file += Bytes({0xFF, 0xC4, 0, 20, table, 1}) + QByteArray(15, 0) + Bytes({0});
    }
    file += Bytes({0xFF, 0xDA, 0, 6 + 2 * components, components});
    for (int c = 1; c <= components; ++c)
        file += Bytes({c, 0});
    const int padding = (8 - 2 * components % 8) % 8;  // pad the 2-bit blocks with ones
    return file + Bytes({0, 63, 0, (1 << padding) - 1, 0xFF, 0xD9});
}

QByteArray Written(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(QImageWriter(&buffer, format).write(image));
    return bytes;
}

std::vector<uint32_t> Argb(const QImage& image) {
    const auto* first = reinterpret_cast<const uint32_t*>(image.constBits());
    return {first, first + image.width() * image.height()};
}

// The window's codec reads JPEG, GIF and TIFF files with Qt, with the depth
// their headers declare.
TEST(QtImagingTest, TheWindowReadsJpegGifAndTiff) {
    // Opaque: Qt stores TIFF alpha premultiplied, which would round the colours.
    QImage opaque(3, 2, QImage::Format_RGB32);
    const QRgb colors[] = {0xFF102030, 0xFFA0B0C0, 0xFF000000, 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00};
    for (int i = 0; i < 6; ++i)
        opaque.setPixel(i % 3, i / 3, colors[i]);
    const struct {
        const char* name;
        QByteArray file;
        int32_t bits;
        bool alpha;
        std::vector<uint32_t> pixels;  // 0xAARRGGBB, rows top first
    } cases[] = {
        {"gif", Gif({0, 1, 2, 3}), 8, false, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}},
        {"jpeg grey", FlatJpeg(1), 8, false, std::vector<uint32_t>(64, 0xFF808080)},
        {"jpeg cmyk", FlatJpeg(4), 32, false, std::vector<uint32_t>(64, 0xFF404040)},
        {"tiff rgba", Written(opaque.convertToFormat(QImage::Format_ARGB32), "tiff"), 32, true,
         Argb(opaque)},
    };
    ImageFileCodec codec;
    codec.ReadOtherKindsWith(&ReadImageWithQt);
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath("image");
        ASSERT_TRUE(WriteFile(path, c.file));
        DecodedImage out;
        ASSERT_EQ(codec.LoadImageFile(path.toStdString(), out), kStatusOk);
        EXPECT_EQ(out.bitsPerPixel, c.bits);
        EXPECT_EQ(out.hasAlpha, c.alpha);
        EXPECT_EQ(Argb(out.pixels), c.pixels);
    }
}

// JPEG and TIFF captures are written by Qt and load back, JPEG as 24 bits;
// GIF has no writer and leaves no file.
TEST(QtImagingTest, TheWindowWritesJpegAndTiff) {
    PixelImage pixels(5, 3);
    for (int32_t i = 0; i < 15; ++i)
        pixels.SetPacked(i % 5, i / 5, 0x102030u * uint32_t(i + 1));
    PngBmpFileWriter pngAndBmp;
    QtImageFileWriter writer(pngAndBmp);
    ImageFileCodec codec;
    codec.ReadOtherKindsWith(&ReadImageWithQt);
    QTemporaryDir dir;
    const struct {
        CaptureFormat format;
        int32_t bits;
    } cases[] = {{CaptureFormat::Tiff, 32}, {CaptureFormat::Jpeg, 24}, {CaptureFormat::Png, 32}};
    for (const auto& c : cases) {
        const std::string path = dir.filePath("capture").toStdString();
        ASSERT_EQ(writer.WriteImageFile(path, pixels, c.format), kStatusOk);
        DecodedImage back;
        ASSERT_EQ(codec.LoadImageFile(path, back), kStatusOk);
        EXPECT_EQ(back.bitsPerPixel, c.bits);
        ASSERT_EQ(back.pixels.m_iWidth, 5);
        if (c.bits == 32) {  // lossless
            EXPECT_EQ(back.pixels.PackedAt(4, 2), pixels.PackedAt(4, 2));
        }
    }
    const std::string gif = dir.filePath("capture.gif").toStdString();
    EXPECT_EQ(writer.WriteImageFile(gif, pixels, CaptureFormat::Gif), kStatusFail);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(gif)));
}

}  // namespace
}  // namespace qrv
