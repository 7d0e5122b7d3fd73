#include "platform/qt/qt_image_codec.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <png.h>
#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <random>
#include <vector>

#include "core/imaging/bmp32_encoder.h"
#include "core/imaging/image_header_depth.h"

namespace qrv {
namespace {

QByteArray Be32(uint32_t v) {
    QByteArray b(4, 0);
    qToBigEndian(v, b.data());
    return b;
}

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

uint32_t Crc32(const QByteArray& data) {
    uint32_t c = ~0u;
    for (char byte : data) {
        c ^= uint8_t(byte);
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

void Chunk(QByteArray& file, const char* type, const QByteArray& data) {
    const QByteArray body = QByteArray(type) + data;
    file += Be32(uint32_t(data.size())) + body + Be32(Crc32(body));
}

// An 8-bit RGB file of width x 2 whose rows hold no samples.
QByteArray Png(int width) {
    QByteArray file("\x89PNG\r\n\x1A\n");
    Chunk(file, "IHDR", Be32(width) + Be32(2) + Bytes({8, 2, 0, 0, 0}));
    Chunk(file, "IDAT", qCompress(QByteArray(2, '\0')).mid(4));
    Chunk(file, "IEND", {});
    return file;
}

// Rows top first; written bottom-up with 32-bit padding.
QByteArray Bmp(int bits, int width, QByteArray row0, QByteArray row1, QByteArray palette = {}) {
    const int offset = 54 + int(palette.size());
    const int pad = (4 - int(row0.size()) % 4) % 4;
    QByteArray file =
        "BM" + Bytes({0, 0, 0,     0, 0, 0, 0, 0, offset, offset >> 8, 0, 0, 40,   0,
                      0, 0, width, 0, 0, 0, 2, 0, 0,      0,           1, 0, bits, 0});
    QByteArray rest(24, 0);
    rest[16] = char(palette.size() / 4);  // colours used
    file += rest + palette + row1 + QByteArray(pad, 0) + row0 + QByteArray(pad, 0);
    return file;
}

// Four-colour palette; every pixel is preceded by a clear code so codes stay 3 bits wide.
QByteArray Gif(std::initializer_list<int> indexes) {
    QByteArray file =
        "GIF89a" + Bytes({2,    0,    2,    0,    0x81, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0,
                          0xFF, 0xFF, 0xFF, 0xFF, 0x2C, 0, 0, 0,    0, 2, 0, 2,    0, 0, 2});
    std::vector<int> codes;
    for (int i : indexes)
        codes.insert(codes.end(), {4, i});
    codes.push_back(5);
    QByteArray data;
    for (std::size_t bit = 0; bit < codes.size() * 3; ++bit) {
        if (bit % 8 == 0)
            data.append('\0');
        data.back() = char(data.back() | (((codes[bit / 3] >> (bit % 3)) & 1) << (bit % 8)));
    }
    return file + char(data.size()) + data + Bytes({0, 0x3B});
}

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

std::vector<uint32_t> Argb(const PixelImage& image) {
    std::vector<uint32_t> out;
    for (int32_t y = 0; y < image.m_iHeight; ++y) {
        for (int32_t x = 0; x < image.m_iWidth; ++x)
            out.push_back(qFromLittleEndian<uint32_t>(image.Row(y) + 4 * x));
    }
    return out;
}

class QtImageCodecTest : public ::testing::Test {
  protected:
    // The misleading name is on purpose: the content decides the format.
    std::string Save(const QByteArray& bytes) {
        const QString path = m_dir.filePath("picture.gif");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path.toStdString();
    }
    uint32_t Load(const QByteArray& bytes, DecodedImage& out) {
        return m_codec.LoadImageFile(Save(bytes), out);
    }

    QTemporaryDir m_dir;
    QtImageCodec m_codec;
};

struct HandCase {
    const char* name;
    QByteArray file;
    int32_t bits;
    bool alpha;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB, rows top first
};

TEST_F(QtImageCodecTest, HandBuiltFilesDecodeWithTheirDepthAndPixels) {
    const std::vector<HandCase> cases{
        // Qt scales 5-bit channels by 8.
        {"bmp 16",
         Bmp(16, 1, Bytes({0x10, 0x7C}), Bytes({0xE0, 0x03})),
         16,
         false,
         {0xFFF80080, 0xFF00F800}},
        {"gif", Gif({0, 1, 2, 3}), 8, false, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}},
        {"jpeg grey", FlatJpeg(1), 8, false, std::vector<uint32_t>(64, 0xFF808080)},
        {"jpeg cmyk", FlatJpeg(4), 32, false, std::vector<uint32_t>(64, 0xFF404040)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedImage out;
        ASSERT_EQ(Load(c.file, out), kStatusOk);
        EXPECT_EQ(out.bitsPerPixel, c.bits);
        EXPECT_EQ(out.hasAlpha, c.alpha);
        EXPECT_EQ(Argb(out.pixels), c.pixels);
    }
}

// Files written by Qt's own writers: the decoded pixels equal what was
// written. PNG files are read without Qt, and compared with Qt below.
TEST_F(QtImageCodecTest, WrittenFilesDecodeWithTheirDepthAndPixels) {
    QImage source(3, 2, QImage::Format_ARGB32);
    const QRgb colors[] = {0xFF102030, 0x80A0B0C0, 0xFF000000, 0xFFFFFFFF, 0x00FF0000, 0xFF00FF00};
    for (int i = 0; i < 6; ++i)
        source.setPixel(i % 3, i / 3, colors[i]);
    QImage few =
        source.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_Indexed8);
    // Qt stores TIFF alpha premultiplied, which would round the colours.
    const QImage opaque =
        source.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_ARGB32);
    struct Case {
        const char* writer;
        QImage image;
        int32_t bits;
        bool alpha;
    };
    using F = QImage::Format;
    const std::vector<Case> cases{
        {"bmp", few, 4, false},
        {"tiff", opaque, 32, true},
        {"tiff", source.convertToFormat(F::Format_Grayscale8), 8, false},
        {"tiff", source.convertToFormat(F::Format_RGBX64), 32, false},
        {"tiff", source.convertToFormat(F::Format_Mono), 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.writer) + " format " + std::to_string(int(c.image.format())));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(QImageWriter(&buffer, c.writer).write(c.image));
        DecodedImage out;
        ASSERT_EQ(Load(bytes, out), kStatusOk);
        EXPECT_EQ(out.bitsPerPixel, c.bits);
        EXPECT_EQ(out.hasAlpha, c.alpha);
        const QImage expected =
            c.image.convertToFormat(c.alpha ? F::Format_ARGB32 : F::Format_RGB32);
        EXPECT_EQ(
            Argb(out.pixels),
            std::vector<uint32_t>(reinterpret_cast<const uint32_t*>(expected.constBits()),
                                  reinterpret_cast<const uint32_t*>(expected.constBits()) + 6));
    }
}

TEST_F(QtImageCodecTest, BrokenFilesFailAndLeaveNothing) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(0xFF00FF00);
    std::vector<std::pair<std::string, QByteArray>> cases{
        {"empty", {}},
        {"text named png", "not an image at all"},
        {"bmp 32 without pixels",
         QByteArray(reinterpret_cast<const char*>(EncodeBmp32(PixelImage(2, 2)).data()), 54)},
    };
    std::mt19937 random(7);
    for (int n : {1, 64, 4096}) {
        QByteArray noise;
        for (int i = 0; i < n; ++i)
            noise.append(char(random()));
        cases.emplace_back("random " + std::to_string(n), noise);
    }
    for (const char* format : {"jpeg", "bmp", "tiff"}) {
        QByteArray whole;
        QBuffer buffer(&whole);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(QImageWriter(&buffer, format).write(image));
        for (qsizetype cut = 0; cut < whole.size(); cut += 1 + cut / 4) {
            cases.emplace_back(std::string(format) + " cut at " + std::to_string(cut),
                               whole.left(cut));
        }
    }
    for (const auto& [name, bytes] : cases) {
        DecodedImage out;
        EXPECT_EQ(Load(bytes, out), kStatusFail) << name;
        EXPECT_TRUE(out.pixels.Empty()) << name;
        EXPECT_EQ(out.bitsPerPixel, 0) << name;
    }
    for (const QString& path : {m_dir.filePath("missing.png"), m_dir.path()}) {
        DecodedImage out;
        EXPECT_EQ(m_codec.LoadImageFile(path.toStdString(), out), kStatusFail);
    }
}

// The transparent grey of RandomPng's grey files, decoded.
constexpr uint32_t kClearGrey = 0x00010101;

// One kind of PNG file the differential test writes with libpng.
struct PngKind {
    const char* name;
    int colorType;
    int bits;
    bool interlaced;
    bool transparency;  // a tRNS chunk: the first palette entry, or one colour
};

void AppendToBytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), qsizetype(length));
}

// A width x height file of random samples of the given kind.
QByteArray RandomPng(const PngKind& kind, int width, int height, std::mt19937& random) {
    QByteArray file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &file, &AppendToBytes, nullptr);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), kind.bits, kind.colorType,
                 kind.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const int entries = kind.colorType == PNG_COLOR_TYPE_PALETTE ? 1 << kind.bits : 0;
    std::vector<png_color> palette(static_cast<std::size_t>(entries));
    for (png_color& c : palette) {
        c = {png_byte(random()), png_byte(random()), png_byte(random())};
    }
    if (entries > 0) {
        png_set_PLTE(png, info, palette.data(), entries);
    }
    const png_byte alphas[] = {0x00, 0x80};
    png_color_16 color = {0, 1, 2, 3, 1};  // RGB 1,2,3 or grey 1 is transparent
    if (kind.transparency) {
        png_set_tRNS(png, info, alphas, 2, &color);
    }
    png_write_info(png, info);
    png_set_interlace_handling(png);
    const int channels = png_get_channels(png, info);
    const std::size_t rowBytes = (std::size_t(width) * channels * kind.bits + 7) / 8;
    std::vector<std::vector<png_byte>> rows(static_cast<std::size_t>(height),
                                            std::vector<png_byte>(rowBytes));
    std::vector<png_bytep> pointers;
    for (auto& row : rows) {
        for (png_byte& b : row) {
            b = png_byte(random());
        }
        pointers.push_back(row.data());
    }
    if (kind.transparency && kind.colorType != PNG_COLOR_TYPE_PALETTE) {
        std::fill(rows[0].begin(), rows[0].end(), png_byte(0));  // some pixels of the clear colour
    }
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return file;
}

// Every kind of PNG decodes to the pixels Qt's own reader gives, with the
// depth the header declares.
TEST_F(QtImageCodecTest, PngFilesDecodeToQtsPixels) {
    const PngKind kinds[] = {
        {"grey 1", PNG_COLOR_TYPE_GRAY, 1, false, false},
        {"grey 2", PNG_COLOR_TYPE_GRAY, 2, false, false},
        {"grey 4 interlaced", PNG_COLOR_TYPE_GRAY, 4, true, false},
        {"grey 8", PNG_COLOR_TYPE_GRAY, 8, false, false},
        {"grey 8 tRNS", PNG_COLOR_TYPE_GRAY, 8, false, true},
        {"grey 16", PNG_COLOR_TYPE_GRAY, 16, false, false},
        {"grey alpha 8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false},
        {"grey alpha 16 interlaced", PNG_COLOR_TYPE_GRAY_ALPHA, 16, true, false},
        {"palette 1", PNG_COLOR_TYPE_PALETTE, 1, false, false},
        {"palette 4 tRNS", PNG_COLOR_TYPE_PALETTE, 4, false, true},
        {"palette 8", PNG_COLOR_TYPE_PALETTE, 8, false, false},
        {"palette 8 interlaced", PNG_COLOR_TYPE_PALETTE, 8, true, false},
        {"rgb 8", PNG_COLOR_TYPE_RGB, 8, false, false},
        {"rgb 8 interlaced", PNG_COLOR_TYPE_RGB, 8, true, false},
        {"rgb 8 tRNS", PNG_COLOR_TYPE_RGB, 8, false, true},
        {"rgb 16", PNG_COLOR_TYPE_RGB, 16, false, false},
        {"rgba 8", PNG_COLOR_TYPE_RGBA, 8, false, false},
        {"rgba 8 interlaced", PNG_COLOR_TYPE_RGBA, 8, true, false},
        {"rgba 16", PNG_COLOR_TYPE_RGBA, 16, false, false},
    };
    std::mt19937 random(11);
    for (const PngKind& kind : kinds) {
        // Odd sizes leave partial bytes and empty interlace passes.
        for (const auto& [width, height] : {std::pair{1, 1}, {7, 3}, {33, 17}}) {
            SCOPED_TRACE(std::string(kind.name) + " " + std::to_string(width) + "x" +
                         std::to_string(height));
            const QByteArray bytes = RandomPng(kind, width, height, random);
            const auto header = ReadHeaderDepth(
                std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), bytes.size()));
            ASSERT_TRUE(header);
            DecodedImage out;
            ASSERT_EQ(Load(bytes, out), kStatusOk);
            EXPECT_EQ(out.bitsPerPixel, header->bitsPerPixel);
            EXPECT_EQ(out.hasAlpha, header->hasAlpha);
            const QImage qt = QImage::fromData(bytes, "png")
                                  .convertToFormat(header->hasAlpha ? QImage::Format_ARGB32
                                                                    : QImage::Format_RGB32);
            ASSERT_EQ(qt.size(), QSize(width, height));
            std::vector<uint32_t> expected;
            for (int y = 0; y < height; ++y) {
                const auto* row = reinterpret_cast<const uint32_t*>(qt.constScanLine(y));
                expected.insert(expected.end(), row, row + width);
            }
            // Qt blackens a grey file's transparent grey; it keeps its colour,
            // as an RGB or palette file's transparent colour does.
            if (kind.colorType == PNG_COLOR_TYPE_GRAY && kind.transparency) {
                std::replace(expected.begin(), expected.end(), 0x00000000u, kClearGrey);
            }
            EXPECT_EQ(Argb(out.pixels), expected);
        }
    }
}

// A PNG cut short anywhere, or with any one byte changed, is refused.
TEST_F(QtImageCodecTest, DamagedPngFilesFail) {
    std::mt19937 random(12);
    const QByteArray whole =
        RandomPng({"rgb 8 interlaced", PNG_COLOR_TYPE_RGB, 8, true, false}, 9, 5, random);
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        DecodedImage out;
        EXPECT_EQ(Load(whole.left(cut), out), kStatusFail) << "cut at " << cut;
        EXPECT_TRUE(out.pixels.Empty());
    }
    // From the IHDR's length on every byte is covered by a chunk's CRC.
    for (qsizetype at = 8; at < whole.size(); ++at) {
        QByteArray damaged = whole;
        damaged[at] = char(damaged[at] ^ 0x10);
        DecodedImage out;
        EXPECT_NE(Load(damaged, out), kStatusOk) << "byte " << at << " changed";
        EXPECT_TRUE(out.pixels.Empty());
    }
}

QByteArray Le16(int v) {
    return Bytes({v & 0xFF, (v >> 8) & 0xFF});
}

QByteArray Le32(uint32_t v) {
    QByteArray b(4, 0);
    qToLittleEndian(v, b.data());
    return b;
}

// A 1-bit grey PNG of side x side, all black: a few KB that inflate to much more.
QByteArray MonoPngBomb(int side) {
    QByteArray file("\x89PNG\r\n\x1A\n");
    Chunk(file, "IHDR", Be32(side) + Be32(side) + Bytes({1, 0, 0, 0, 0}));
    const QByteArray rows(qsizetype(side) * (1 + (side + 7) / 8), '\0');
    Chunk(file, "IDAT", qCompress(rows, 9).mid(4));
    Chunk(file, "IEND", {});
    return file;
}

// An 8-bit run-length BMP of side x side whose data is only "end of bitmap".
QByteArray Rle8BmpBomb(int side) {
    const int offset = 14 + 40 + 256 * 4;
    QByteArray file = "BM" + Le32(offset + 2) + Le32(0) + Le32(offset);
    file += Le32(40) + Le32(side) + Le32(side) + Le16(1) + Le16(8) + Le32(1) + Le32(2) +
            Le32(2835) + Le32(2835) + Le32(256) + Le32(0);
    return file + QByteArray(256 * 4, '\0') + Bytes({0, 1});
}

// A two-pixel GIF frame on a canvas of width x height.
QByteArray GifCanvas(int width, int height) {
    return Gif({0, 1, 2, 3}).replace(6, 4, Le16(width) + Le16(height));
}

// Files whose headers declare more than a screen or a picture can plausibly
// be are refused before decoding, whatever their own size.
TEST_F(QtImageCodecTest, ImagesTooLargeForAScreenAreFailedFromTheirHeader) {
    const std::vector<std::pair<std::string, QByteArray>> cases{
        {"gif canvas 16000 x 16000", GifCanvas(16000, 16000)},
        {"gif canvas 16385 x 2", GifCanvas(16385, 2)},
        {"1-bit png 16000 x 16000", MonoPngBomb(16000)},
        {"rle8 bmp 16000 x 16000", Rle8BmpBomb(16000)},
        {"png 100000 x 2", Png(100000)},
        {"png 2 x 100000", Png(2).replace(20, 4, Be32(100000))},
    };
    for (const auto& [name, bytes] : cases) {
        DecodedImage out;
        EXPECT_EQ(Load(bytes, out), kStatusOutOfMemory) << name << ", " << bytes.size() << " bytes";
        EXPECT_TRUE(out.pixels.Empty()) << name;
    }
    // The same kinds of file at a plausible size decode.
    for (const QByteArray& bytes : {GifCanvas(300, 200), MonoPngBomb(1000), Rle8BmpBomb(1000)}) {
        DecodedImage out;
        ASSERT_EQ(Load(bytes, out), kStatusOk);
        EXPECT_GE(out.pixels.m_iWidth, 300);
    }
}

// Only regular files are read: a FIFO (with a valid image waiting in it), a
// device that never ends and a directory fail at once, without blocking.
TEST_F(QtImageCodecTest, OnlyRegularFilesAreRead) {
    const std::string fifo = m_dir.filePath("fifo.png").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    const QByteArray image = Gif({0, 1, 2, 3});
    ASSERT_EQ(::write(writer, image.constData(), std::size_t(image.size())), image.size());
    for (const std::string& path : {fifo, std::string("/dev/zero"), m_dir.path().toStdString()}) {
        DecodedImage out;
        EXPECT_EQ(m_codec.LoadImageFile(path, out), kStatusFail) << path;
        EXPECT_TRUE(out.pixels.Empty()) << path;
    }
    ::close(writer);
    DecodedImage out;  // the same bytes from a regular file decode
    EXPECT_EQ(Load(image, out), kStatusOk);
}

// Qt's decoders that produce 32-bit pixels hand over their own block: the
// pixels are neither converted nor copied again.
TEST_F(QtImageCodecTest, ThirtyTwoBitPixelsAreKeptWhereTheDecoderPutThem) {
    QImage source(64, 48, QImage::Format_RGB32);
    source.fill(0xFF102030);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(QImageWriter(&buffer, "bmp").write(source));
    DecodedImage out;
    ASSERT_EQ(Load(bytes, out), kStatusOk);
    EXPECT_NE(out.pixels.Owner(), nullptr);
    EXPECT_EQ(Argb(out.pixels), std::vector<uint32_t>(64 * 48, 0xFF102030));
}

}  // namespace
}  // namespace qrv
