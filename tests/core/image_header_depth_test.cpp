#include "core/imaging/image_header_depth.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qrv {
namespace {

using Bytes = std::vector<uint8_t>;

// Byte by byte: GCC 12 at -O3 warns wrongly about a range insert here.
void Text(Bytes& b, std::string_view s) {
    for (char c : s) {
        b.push_back(uint8_t(c));
    }
}
void Be(Bytes& b, uint32_t v, int n) {
    for (int i = n - 1; i >= 0; --i)
        b.push_back(uint8_t(v >> (8 * i)));
}
void Le(Bytes& b, uint32_t v, int n) {
    for (int i = 0; i < n; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}

void PngChunk(Bytes& b, std::string_view type, const Bytes& data = {}) {
    Be(b, uint32_t(data.size()), 4);
    Text(b, type);
    b.insert(b.end(), data.begin(), data.end());
    Be(b, 0, 4);  // the checksum is the decoder's business
}

// `chunks` are placed between the header and the image data.
Bytes Png(int color, int bits, std::vector<std::string> chunks = {}, uint32_t width = 3) {
    Bytes b;
    Text(b, "\x89PNG\r\n\x1A\n");
    Bytes ihdr;
    Be(ihdr, width, 4);
    Be(ihdr, 2, 4);
    ihdr.insert(ihdr.end(), {uint8_t(bits), uint8_t(color), 0, 0, 0});
    PngChunk(b, "IHDR", ihdr);
    if (color == 3)
        chunks.insert(chunks.begin(), "PLTE");
    for (const auto& c : chunks)
        PngChunk(b, c, {1, 2, 3});
    PngChunk(b, "IDAT", {0x78, 0x9C});
    PngChunk(b, "IEND");
    return b;
}

Bytes Jpeg(int components) {
    Bytes b{0xFF, 0xD8, 0xFF, 0xE0};
    Be(b, 4, 2);
    Be(b, 0, 2);
    b.insert(b.end(), {0xFF, 0xC0});
    Be(b, 8 + 3 * components, 2);
    b.push_back(8);
    Be(b, 2, 2);  // height
    Be(b, 3, 2);  // width
    b.push_back(uint8_t(components));
    for (int c = 0; c < components; ++c)
        b.insert(b.end(), {uint8_t(c + 1), 0x11, 0});
    b.insert(b.end(), {0xFF, 0xDA});
    Be(b, 6 + 2 * components, 2);
    b.push_back(uint8_t(components));
    for (int c = 0; c < components; ++c)
        b.insert(b.end(), {uint8_t(c + 1), 0});
    b.insert(b.end(), {0, 63, 0, 0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD9});
    return b;
}

Bytes Bmp(int bits, int32_t height = 2, uint32_t compression = 0, uint32_t infoSize = 40) {
    const uint32_t width = 3, rowBytes = (width * bits + 31) / 32 * 4;
    const uint32_t offset = 14 + infoSize + (bits <= 8 ? 4u << bits : 0);
    Bytes b;
    Text(b, "BM");
    Le(b, offset + rowBytes * 2, 4);
    Le(b, 0, 4);
    Le(b, offset, 4);
    Le(b, infoSize, 4);
    if (infoSize == 12) {
        Le(b, width, 2), Le(b, uint32_t(height), 2), Le(b, 1, 2), Le(b, bits, 2);
    } else {
        Le(b, width, 4), Le(b, uint32_t(height), 4), Le(b, 1, 2), Le(b, bits, 2);
        Le(b, compression, 4);
    }
    b.resize(offset + rowBytes * 2);
    if (compression == 1)
        b.back() = 1;  // run-length data ends with 00 01
    return b;
}

// The first frame's data ends the file: decoders tolerate a missing trailer.
Bytes Gif() {
    Bytes b;
    Text(b, "GIF89a");
    Le(b, 3, 2), Le(b, 2, 2);
    b.insert(b.end(), {0x80, 0, 0, 0, 0, 0, 255, 255, 255});  // two-colour table
    b.insert(b.end(), {0x21, 0xF9, 4, 0, 0, 0, 0, 0});        // control extension
    b.insert(b.end(), {0x2C, 0, 0, 0, 0, 3, 0, 2, 0, 0});     // image descriptor
    b.insert(b.end(), {2, 2, 0x44, 0x01, 0});
    return b;
}

struct TiffEntry {
    uint16_t tag;
    uint32_t value;
};

// Little-endian, one directory, every value inline, one strip at the end.
Bytes Tiff(int samples, int bits, int photometric, int extra = -1) {
    std::vector<TiffEntry> entries{{256, 3},
                                   {257, 2},
                                   {258, uint32_t(bits)},
                                   {262, uint32_t(photometric)},
                                   {273, 0},
                                   {277, uint32_t(samples)},
                                   {279, 6}};
    if (extra >= 0)
        entries.push_back({338, uint32_t(extra)});
    Bytes b;
    Text(b, std::string_view("II*\0", 4));
    Le(b, 8, 4);
    Le(b, uint32_t(entries.size()), 2);
    const uint32_t data = uint32_t(8 + 2 + 12 * entries.size() + 4);
    for (auto e : entries) {
        Le(b, e.tag, 2), Le(b, 4, 2), Le(b, 1, 4), Le(b, e.tag == 273 ? data : e.value, 4);
    }
    Le(b, 0, 4);
    b.resize(data + 6);
    return b;
}

struct DepthCase {
    const char* name;
    Bytes file;
    ImageFileKind kind;
    int32_t bits;
    bool alpha;
};

// The depth follows the file header; any cut-off file is refused, wherever
// the cut falls.
TEST(ImageHeaderDepthTest, DepthFollowsTheFileHeaderAndEveryTruncationIsRefused) {
    using K = ImageFileKind;
    const DepthCase cases[] = {
        {"png grey 1", Png(0, 1), K::Png, 1, false},
        {"png grey 2 widens", Png(0, 2), K::Png, 8, false},
        {"png grey 4", Png(0, 4), K::Png, 4, false},
        {"png grey 8", Png(0, 8), K::Png, 8, false},
        {"png grey 16", Png(0, 16), K::Png, 32, false},
        {"png rgb 8", Png(2, 8), K::Png, 24, false},
        {"png rgb 16", Png(2, 16), K::Png, 32, false},
        {"png palette 1", Png(3, 1), K::Png, 1, false},
        {"png palette 2 widens", Png(3, 2), K::Png, 8, false},
        {"png palette 4", Png(3, 4), K::Png, 4, false},
        {"png palette 8", Png(3, 8), K::Png, 8, false},
        {"png grey alpha 8", Png(4, 8), K::Png, 32, true},
        {"png grey alpha 16", Png(4, 16), K::Png, 32, true},
        {"png rgba 8", Png(6, 8), K::Png, 32, true},
        {"png rgba 16", Png(6, 16), K::Png, 32, true},
        {"png rgb with tRNS", Png(2, 8, {"tRNS"}), K::Png, 32, true},
        {"png palette with tRNS", Png(3, 4, {"tRNS"}), K::Png, 32, true},
        {"png grey with tRNS", Png(0, 8, {"tRNS"}), K::Png, 32, true},
        {"png ancillary chunks", Png(2, 8, {"gAMA", "tEXt"}), K::Png, 24, false},
        {"jpeg grey", Jpeg(1), K::Jpeg, 8, false},
        {"jpeg colour", Jpeg(3), K::Jpeg, 24, false},
        {"jpeg cmyk", Jpeg(4), K::Jpeg, 32, false},
        {"bmp 1", Bmp(1), K::Bmp, 1, false},
        {"bmp 4", Bmp(4), K::Bmp, 4, false},
        {"bmp 8", Bmp(8), K::Bmp, 8, false},
        {"bmp 16", Bmp(16), K::Bmp, 16, false},
        {"bmp 24", Bmp(24), K::Bmp, 24, false},
        {"bmp 32", Bmp(32), K::Bmp, 32, false},
        {"bmp 32 bit fields v5", Bmp(32, 2, 3, 124), K::Bmp, 32, false},
        {"bmp top-down", Bmp(24, -2), K::Bmp, 24, false},
        {"bmp core header", Bmp(24, 2, 0, 12), K::Bmp, 24, false},
        {"bmp rle8", Bmp(8, 2, 1), K::Bmp, 8, false},
        {"gif", Gif(), K::Gif, 8, false},
        {"tiff bilevel", Tiff(1, 1, 0), K::Tiff, 1, false},
        {"tiff grey 2 widens", Tiff(1, 2, 1), K::Tiff, 8, false},
        {"tiff palette 4", Tiff(1, 4, 3), K::Tiff, 4, false},
        {"tiff grey 8", Tiff(1, 8, 1), K::Tiff, 8, false},
        {"tiff grey 16", Tiff(1, 16, 1), K::Tiff, 32, false},
        {"tiff rgb 8", Tiff(3, 8, 2), K::Tiff, 24, false},
        {"tiff rgb 16", Tiff(3, 16, 2), K::Tiff, 32, false},
        {"tiff rgba associated", Tiff(4, 8, 2, 1), K::Tiff, 32, true},
        {"tiff grey alpha unassociated", Tiff(2, 8, 1, 2), K::Tiff, 32, true},
        {"tiff rgb plus unspecified extra", Tiff(4, 8, 2, 0), K::Tiff, 24, false},
        {"tiff cmyk", Tiff(4, 8, 5), K::Tiff, 32, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto h = ReadHeaderDepth(c.file);
        ASSERT_TRUE(h.has_value());
        EXPECT_EQ(h->kind, c.kind);
        EXPECT_EQ(h->bitsPerPixel, c.bits);
        EXPECT_EQ(h->hasAlpha, c.alpha);
        EXPECT_EQ(h->width, 3);
        EXPECT_EQ(h->height, 2);
        for (std::size_t n = 0; n < c.file.size(); ++n)
            ASSERT_FALSE(ReadHeaderDepth(std::span(c.file.data(), n)).has_value())
                << "cut at " << n;
    }
}

Bytes Patched(Bytes b, std::size_t at, std::initializer_list<uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), b.begin() + std::ptrdiff_t(at));
    return b;
}

TEST(ImageHeaderDepthTest, ContradictoryHeadersAreRefused) {
    Bytes tiffNoStrips = Tiff(3, 8, 2);
    tiffNoStrips[8 + 2 + 4 * 12 + 1] = 0;  // StripOffsets tag becomes an unknown tag
    const std::vector<std::pair<const char*, Bytes>> cases{
        {"empty", {}},
        {"text", Bytes{'h', 'e', 'l', 'l', 'o'}},
        {"png rgb 4 bit", Png(2, 4)},
        {"png palette 16 bit", Png(3, 16)},
        {"png colour type 5", Png(5, 8)},
        {"png zero width", Png(2, 8, {}, 0)},
        {"png width over 2^31", Png(2, 8, {}, 0x80000000u)},
        {"png palette without PLTE", Patched(Png(3, 8), 33 + 4, {'t', 'E', 'X', 't'})},
        {"png interlace 2", Patched(Png(2, 8), 28, {2})},
        {"png chunk length past end", Patched(Png(2, 8), 33, {0x7F, 0xFF, 0xFF, 0xFF})},
        {"jpeg two components", Jpeg(2)},
        {"jpeg zero height", Patched(Jpeg(3), 8 + 4 + 1, {0, 0})},
        {"jpeg end before scan", Patched(Jpeg(3), 2, {0xFF, 0xD9})},
        {"jpeg segment length 1", Patched(Jpeg(3), 4, {0, 1})},
        {"bmp 2 bit", Bmp(2)},
        {"bmp rle8 on 24 bit", Bmp(24, 2, 1)},
        {"bmp embedded png", Bmp(24, 2, 5)},
        {"bmp zero height", Bmp(24, 0)},
        {"bmp header 20 bytes", Patched(Bmp(24), 14, {20})},
        {"bmp data offset inside header", Patched(Bmp(24), 10, {20})},
        {"gif without frame", Patched(Gif(), 27, {0x3B})},
        {"gif zero width", Patched(Gif(), 6, {0, 0})},
        {"tiff without strips", tiffNoStrips},
        {"tiff strip past end", Patched(Tiff(3, 8, 2), 8 + 2 + 6 * 12 + 8, {7})},
        {"tiff two colour samples", Tiff(2, 8, 1)},
        {"tiff more extra than samples", Tiff(1, 8, 1, 1)},
        {"tiff directory past end", Patched(Tiff(3, 8, 2), 4, {0xFF, 0xFF})},
    };
    for (const auto& [name, file] : cases) {
        EXPECT_FALSE(ReadHeaderDepth(file).has_value()) << name;
    }
}

}  // namespace
}  // namespace qrv
