#include "platform/images/image_file_codec.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <png.h>
#include <zlib.h>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <random>
#include <vector>

#include "core/imaging/bmp32_encoder.h"
#include "core/imaging/image_header_depth.h"
#include "image_file_bytes.h"

namespace qrv {
namespace {

using test::Argb;
using test::Bytes;
using test::Gif;
using test::Le16;
using test::Le32;

QByteArray Be32(uint32_t v) {
    QByteArray b(4, 0);
    qToBigEndian(v, b.data());
    return b;
}

void Chunk(QByteArray& file, const char* type, const QByteArray& data) {
    const QByteArray body = QByteArray(type) + data;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()));
    file += Be32(uint32_t(data.size())) + body + Be32(uint32_t(crc));
}

// A 1-bit grey PNG of width x height, all black, whose pixel data inflates to
// `extraRows` more rows than it needs: a few KB that inflate to much more.
QByteArray MonoPng(int width, int height, int extraRows = 0) {
    QByteArray file("\x89PNG\r\n\x1A\n");
    Chunk(file, "IHDR", Be32(width) + Be32(height) + Bytes({1, 0, 0, 0, 0}));
    const QByteArray rows(qsizetype(height + extraRows) * (1 + (width + 7) / 8), '\0');
    Chunk(file, "IDAT", qCompress(rows, 9).mid(4));
    Chunk(file, "IEND", {});
    return file;
}

// A BMP file of 2 rows, given top first; `info` is the header after its size
// field (from the width on), `extra` what follows it (masks, palette).
QByteArray Bmp(const QByteArray& info, const QByteArray& extra, QByteArray row0, QByteArray row1,
               bool topDown = false) {
    const int offset = 14 + 4 + int(info.size() + extra.size());
    for (QByteArray* row : {&row0, &row1})
        row->append(QByteArray((4 - row->size() % 4) % 4, '\0'));
    const QByteArray rows = topDown ? row0 + row1 : row1 + row0;
    return "BM" + Le32(uint32_t(offset + rows.size())) + Le32(0) + Le32(uint32_t(offset)) +
           Le32(uint32_t(info.size() + 4)) + info + extra + rows;
}

// A 40-byte Windows header (negative height: top row first).
QByteArray Info(int width, int bits, int compression = 0, int colors = 0, int height = 2) {
    return Le32(uint32_t(width)) + Le32(uint32_t(height)) + Le16(1) + Le16(bits) +
           Le32(uint32_t(compression)) + Le32(0) + Le32(2835) + Le32(2835) +
           Le32(uint32_t(colors)) + Le32(0);
}

// What Qt's own reader gives for a file, as 32-bit pixels.
std::vector<uint32_t> QtPixels(const QByteArray& bytes, bool alpha) {
    const QImage qt = QImage::fromData(bytes).convertToFormat(alpha ? QImage::Format_ARGB32
                                                                    : QImage::Format_RGB32);
    std::vector<uint32_t> out;
    for (int y = 0; y < qt.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(qt.constScanLine(y));
        out.insert(out.end(), row, row + qt.width());
    }
    return out;
}

class ImageFileCodecTest : public ::testing::Test {
  protected:
    // The misleading name is on purpose: the content decides the format.
    std::string Save(const QByteArray& bytes) {
        const QString path = m_dir.filePath("picture.gif");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path.toStdString();
    }
    uint32_t Load(const QByteArray& bytes, DecodedImage& out, const HeaderCheck& admit = {}) {
        return m_codec.LoadImageFileIf(Save(bytes), admit, out);
    }

    QTemporaryDir m_dir;
    ImageFileCodec m_codec;
};

// Every kind of BMP decodes as Qt's reader decodes it, with the file's own
// depth, but for the cases with pixels of their own: indexes past the
// palette, pixels a run-length file skips (the first palette entry) and bit
// fields wider than 8 bits (their top bits).
TEST_F(ImageFileCodecTest, BmpFilesDecodeWithTheirDepthAndPixels) {
    const QByteArray grey4 = Bytes({0, 0, 0, 0, 0x80, 0x80, 0x80, 0, 0xFF, 0xFF, 0xFF, 0});
    const QByteArray rgb3 = Bytes({0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0, 0x70, 0x80, 0x90, 0});
    const QByteArray masks565 = Le32(0xF800) + Le32(0x07E0) + Le32(0x001F);
    struct Case {
        const char* name;
        QByteArray file;
        int32_t bits;
        std::vector<uint32_t> differs;  // empty: Qt's pixels
    };
    const std::vector<Case> cases{
        {"1-bit", Bmp(Info(3, 1, 0, 2), grey4.left(8), Bytes({0xA0}), Bytes({0x40})), 1, {}},
        {"4-bit", Bmp(Info(3, 4, 0, 3), rgb3, Bytes({0x01, 0x20}), Bytes({0x21, 0x00})), 4, {}},
        {"8-bit past the palette",
         Bmp(Info(2, 8, 0, 2), rgb3.left(8), Bytes({1, 0}), Bytes({5, 1})),
         8,
         {0xFF605040, 0xFF302010, 0xFF000000, 0xFF605040}},
        {"16-bit 555", Bmp(Info(1, 16), {}, Bytes({0x10, 0x7C}), Bytes({0xE0, 0x03})), 16, {}},
        {"16-bit 565 fields",
         Bmp(Info(2, 16, 3), masks565, Bytes({0x1F, 0xF8, 0xE0, 0x07}),
             Bytes({0x00, 0x00, 0xFF, 0xFF})),
         16,
         {}},
        {"24-bit",
         Bmp(Info(3, 24), {}, Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9}),
             Bytes({9, 8, 7, 6, 5, 4, 3, 2, 1})),
         24,
         {}},
        {"24-bit top down",
         Bmp(Info(1, 24, 0, 0, -2), {}, Bytes({1, 2, 3}), Bytes({4, 5, 6}), true),
         24,
         {}},
        {"32-bit", Bmp(Info(1, 32), {}, Bytes({1, 2, 3, 0}), Bytes({4, 5, 6, 0x80})), 32, {}},
        {"os/2 8-bit",
         Bmp(Le16(2) + Le16(2) + Le16(1) + Le16(8), Bytes({1, 2, 3, 4, 5, 6}) + QByteArray(762, 0),
             Bytes({0, 1}), Bytes({1, 0})),
         8,
         {}},
        {"rle8: run, literal, end of line, end",
         Bmp(Info(4, 8, 1, 3), rgb3, Bytes({2, 1, 0, 3, 2, 0, 1, 0, 0, 0, 1, 2, 0, 1}), {}),
         8,
         {0xFF908070, 0xFF302010, 0xFF302010, 0xFF302010, 0xFF605040, 0xFF605040, 0xFF908070,
          0xFF302010}},
        {"rle4: run and a move",
         Bmp(Info(4, 4, 2, 3), rgb3, Bytes({3, 0x12, 0, 2, 0, 1, 1, 0x20, 0, 1}), {}),
         4,
         {0xFF302010, 0xFF302010, 0xFF302010, 0xFF908070, 0xFF605040, 0xFF908070, 0xFF605040,
          0xFF302010}},
        {"32-bit 10-bit fields",
         Bmp(Info(1, 32, 3), Le32(0x3FF00000) + Le32(0x000FFC00) + Le32(0x000003FF),
             Le32(0x3FF003FF), Le32(0x00000000)),
         32,
         {0xFFFF00FF, 0xFF000000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedImage out;
        ASSERT_EQ(Load(c.file, out), kStatusOk);
        EXPECT_EQ(out.bitsPerPixel, c.bits);
        EXPECT_FALSE(out.hasAlpha);
        EXPECT_EQ(Argb(out.pixels), c.differs.empty() ? QtPixels(c.file, false) : c.differs);
    }
}

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

// A width x height file of random samples of the given kind, its pixel data
// spread over IDAT chunks of 64 bytes.
QByteArray RandomPng(const PngKind& kind, int width, int height, std::mt19937& random) {
    QByteArray file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &file, &AppendToBytes, nullptr);
    png_set_compression_buffer_size(png, 64);
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
// depth the header declares: both ways of inflating, every filter, every
// interlace pass.
TEST_F(ImageFileCodecTest, PngFilesDecodeToQtsPixels) {
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
            std::vector<uint32_t> expected = QtPixels(bytes, header->hasAlpha);
            ASSERT_EQ(expected.size(), std::size_t(width * height));
            // Qt blackens a grey file's transparent grey; it keeps its colour,
            // as an RGB or palette file's transparent colour does.
            if (kind.colorType == PNG_COLOR_TYPE_GRAY && kind.transparency) {
                std::replace(expected.begin(), expected.end(), 0x00000000u, 0x00010101u);
            }
            EXPECT_EQ(Argb(out.pixels), expected);
        }
    }
}

// Empty, foreign or random bytes, a file cut short anywhere, and a PNG with
// any one byte changed or whose pixel data inflates to more than its rows are
// refused and leave nothing.
TEST_F(ImageFileCodecTest, DamagedFilesFailAndLeaveNothing) {
    std::vector<std::pair<std::string, QByteArray>> cases{
        {"empty", {}},
        {"text named png", "not an image at all"},
        {"bmp 32 without pixels",
         QByteArray(reinterpret_cast<const char*>(EncodeBmp32(PixelImage(2, 2)).data()), 54)},
        {"bmp palette cut", Bmp(Info(2, 8, 0, 200), {}, Bytes({0, 1}), Bytes({1, 0}))},
        {"png inflating past its rows", MonoPng(40, 3, 1)},
    };
    std::mt19937 random(7);
    for (int n : {1, 64, 4096}) {
        QByteArray noise;
        for (int i = 0; i < n; ++i)
            noise.append(char(random()));
        cases.emplace_back("random " + std::to_string(n), noise);
    }
    const std::vector<uint8_t> bmp = EncodeBmp32(PixelImage(16, 16));
    const QByteArray whole(reinterpret_cast<const char*>(bmp.data()), qsizetype(bmp.size()));
    for (qsizetype cut = 0; cut < whole.size(); cut += 1 + cut / 4) {
        cases.emplace_back("bmp cut at " + std::to_string(cut), whole.left(cut));
    }
    std::vector<std::pair<std::string, QByteArray>> changed;
    for (const bool interlaced : {false, true}) {
        const QByteArray png =
            RandomPng(PngKind{"rgb 8", PNG_COLOR_TYPE_RGB, 8, interlaced, false}, 9, 5, random);
        for (qsizetype at = 0; at < png.size(); ++at) {
            cases.emplace_back("png cut at " + std::to_string(at), png.left(at));
            if (at >= 8) {  // from the IHDR's length on, every byte is under a CRC
                QByteArray damaged = png;
                damaged[at] = char(damaged[at] ^ 0x10);
                changed.emplace_back("png byte " + std::to_string(at) + " changed", damaged);
            }
        }
    }
    for (const auto& [name, bytes] : cases) {
        DecodedImage out;
        EXPECT_EQ(Load(bytes, out), kStatusFail) << name;
        EXPECT_TRUE(out.pixels.Empty()) << name;
        EXPECT_EQ(out.bitsPerPixel, 0) << name;
    }
    for (const auto& [name, bytes] : changed) {
        DecodedImage out;
        EXPECT_NE(Load(bytes, out), kStatusOk) << name;
        EXPECT_TRUE(out.pixels.Empty()) << name;
    }
}

// An 8-bit run-length BMP of side x side whose data is only "end of bitmap".
QByteArray Rle8BmpBomb(int side) {
    return Bmp(Info(side, 8, 1, 256, side), QByteArray(256 * 4, '\0'), Bytes({0, 1}), {});
}

// A two-pixel GIF frame on a canvas of width x height.
QByteArray GifCanvas(int width, int height) {
    return Gif({0, 1, 2, 3}).replace(6, 4, Le16(width) + Le16(height));
}

// What a file's header says decides before anything is decoded: files
// declaring more than a screen or a picture can plausibly be, whatever their
// own size; kinds the codec leaves to others; and files the caller turns down.
TEST_F(ImageFileCodecTest, HeadersAreJudgedBeforeDecoding) {
    const auto no = [](const ImageHeader&) { return false; };
    const auto yes = [](const ImageHeader&) { return true; };
    const struct {
        std::string name;
        QByteArray file;
        HeaderCheck admit;
        uint32_t status;
    } cases[] = {
        {"gif canvas 16385 x 2", GifCanvas(16385, 2), yes, kStatusOutOfMemory},
        {"rle8 bmp 16000 x 16000", Rle8BmpBomb(16000), yes, kStatusOutOfMemory},
        {"png 2 x 100000", MonoPng(2, 100000), yes, kStatusOutOfMemory},
        {"gif, no reader for it", GifCanvas(300, 200), yes, kStatusNotSupported},
        {"gif turned down too", GifCanvas(300, 200), no, kStatusNotSupported},
        {"png turned down", MonoPng(1000, 1000), no, kStatusRefused},
        {"bmp turned down", Rle8BmpBomb(1000), no, kStatusRefused},
        {"png at a plausible size", MonoPng(1000, 1000), yes, kStatusOk},
        {"bmp at a plausible size", Rle8BmpBomb(1000), {}, kStatusOk},
    };
    for (const auto& c : cases) {
        DecodedImage out;
        EXPECT_EQ(Load(c.file, out, c.admit), c.status) << c.name << ", " << c.file.size();
        EXPECT_EQ(out.pixels.Empty(), c.status != kStatusOk) << c.name;
    }
    ImageHeader seen;
    DecodedImage out;
    Load(Rle8BmpBomb(700), out, [&](const ImageHeader& h) {
        seen = h;
        return false;
    });
    EXPECT_EQ(seen.kind, ImageFileKind::Bmp);
    EXPECT_EQ(seen.width, 700);
    EXPECT_EQ(seen.height, 700);
    EXPECT_EQ(seen.bitsPerPixel, 8);
}

// Only regular files are read: a FIFO (with a valid image waiting in it), a
// device that never ends and a directory fail at once, without blocking, as
// does a missing file.
TEST_F(ImageFileCodecTest, OnlyRegularFilesAreRead) {
    const std::string fifo = m_dir.filePath("fifo.png").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    const QByteArray image = MonoPng(8, 8);
    ASSERT_EQ(::write(writer, image.constData(), std::size_t(image.size())), image.size());
    for (const std::string& path : {fifo, std::string("/dev/zero"), m_dir.path().toStdString(),
                                    m_dir.filePath("missing.png").toStdString()}) {
        DecodedImage out;
        EXPECT_EQ(m_codec.LoadImageFile(path, out), kStatusFail) << path;
        EXPECT_TRUE(out.pixels.Empty()) << path;
    }
    ::close(writer);
    DecodedImage out;  // the same bytes from a regular file decode
    EXPECT_EQ(Load(image, out), kStatusOk);
}

}  // namespace
}  // namespace qrv
