#include "core/imaging/bmp_decoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>

namespace qrv {
namespace {

using Bytes = std::span<const uint8_t>;

enum : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaFields = 6 };
constexpr std::size_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12;
constexpr uint32_t kBlack = 0;

bool Has(Bytes b, uint64_t pos, uint64_t count) {
    return pos <= b.size() && count <= b.size() - pos;
}
uint32_t Le16(Bytes b, std::size_t p) {
    return uint32_t(b[p]) | (uint32_t(b[p + 1]) << 8);
}
uint32_t Le32(Bytes b, std::size_t p) {
    return Le16(b, p) | (Le16(b, p + 2) << 16);
}

// A colour as 0xRRGGBB.
uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return (red << 16) | (green << 8) | blue;
}

void Put(uint8_t* pixel, uint32_t rgb) {
    pixel[0] = uint8_t(rgb);
    pixel[1] = uint8_t(rgb >> 8);
    pixel[2] = uint8_t(rgb >> 16);
    pixel[3] = 0xFF;
}

// One colour channel of 16- or 32-bit pixels, by its bit mask.
class Channel {
  public:
    explicit Channel(uint32_t mask)
        : m_mask(mask), m_shift(mask == 0 ? 0 : std::countr_zero(mask)), m_max(mask >> m_shift) {}
    uint32_t Of(uint32_t pixel) const {
        const uint32_t value = (pixel & m_mask) >> m_shift;
        if (m_max < 256) {
            return value * (256 / (m_max + 1));
        }
        return value >> (std::bit_width(m_max) - 8);
    }

  private:
    uint32_t m_mask;
    int m_shift;
    uint32_t m_max;
};

// Everything the pixel data is read with.
struct Layout {
    uint32_t dataOffset = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool topDown = false;
    uint32_t bits = 0;
    uint32_t compression = kRgb;
    Channel red{0x7C00};
    Channel green{0x03E0};
    Channel blue{0x001F};
    std::array<uint32_t, 256> palette{};  // missing entries are black
    uint32_t colors = 0;

    // The output row of the file's `fileRow`-th row.
    int32_t OutputRow(int64_t fileRow) const {
        return int32_t(topDown ? fileRow : height - 1 - fileRow);
    }
    uint32_t Color(uint32_t index) const { return index < colors ? palette[index] : kBlack; }
};

bool ReadMasks(Bytes b, Layout& layout) {
    if (layout.compression == kBitFields || layout.compression == kAlphaFields) {
        // Inside a longer header or right after a 40-byte one: at the same place.
        if (!Has(b, 54, 12)) {
            return false;
        }
        layout.red = Channel(Le32(b, 54));
        layout.green = Channel(Le32(b, 58));
        layout.blue = Channel(Le32(b, 62));
    } else if (layout.bits == 32) {
        layout.red = Channel(0xFF0000);
        layout.green = Channel(0x00FF00);
        layout.blue = Channel(0x0000FF);
    }
    return true;
}

bool ReadPalette(Bytes b, uint32_t infoSize, uint32_t colorsUsed, Layout& layout) {
    if (layout.bits > 8) {
        return true;
    }
    const bool core = infoSize == kCoreHeaderBytes;
    std::size_t at = kFileHeaderBytes + infoSize;
    if (infoSize == 40 && layout.compression == kBitFields) {
        at += 12;
    } else if (infoSize == 40 && layout.compression == kAlphaFields) {
        at += 16;
    }
    const uint32_t entryBytes = core ? 3 : 4;
    const uint32_t maxColors = 1u << layout.bits;
    layout.colors = colorsUsed == 0 ? maxColors : std::min<uint32_t>(colorsUsed, 256);
    if (!Has(b, at, uint64_t(layout.colors) * entryBytes)) {
        return false;
    }
    for (uint32_t i = 0; i < layout.colors; ++i) {
        const std::size_t e = at + std::size_t(i) * entryBytes;
        layout.palette[i] = Rgb(b[e + 2], b[e + 1], b[e]);
    }
    return true;
}

std::optional<Layout> ReadLayout(Bytes b, const ImageHeader& header) {
    if (!Has(b, 0, kFileHeaderBytes + 4)) {
        return std::nullopt;
    }
    Layout layout;
    layout.dataOffset = Le32(b, 10);
    const uint32_t infoSize = Le32(b, 14);
    const bool core = infoSize == kCoreHeaderBytes;
    if ((!core && infoSize < 40) || !Has(b, kFileHeaderBytes, infoSize)) {
        return std::nullopt;
    }
    const int64_t height = core ? int64_t(Le16(b, 20)) : int64_t(int32_t(Le32(b, 22)));
    layout.width = header.width;
    layout.height = header.height;
    layout.topDown = height < 0;
    layout.bits = core ? Le16(b, 24) : Le16(b, 28);
    layout.compression = core ? kRgb : Le32(b, 30);
    const uint32_t colorsUsed = core ? 0 : Le32(b, 46);
    const int64_t width = core ? int64_t(Le16(b, 18)) : int64_t(int32_t(Le32(b, 18)));
    if (width != header.width || (height < 0 ? -height : height) != header.height ||
        int32_t(layout.bits) != header.bitsPerPixel || !ReadMasks(b, layout) ||
        !ReadPalette(b, infoSize, colorsUsed, layout)) {
        return std::nullopt;
    }
    return layout;
}

uint32_t IndexAt(const uint8_t* row, int32_t x, uint32_t bits) {
    const std::size_t bit = std::size_t(x) * bits;
    const uint32_t byte = row[bit / 8];
    return (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
}

uint32_t PixelColor(const Layout& l, const uint8_t* row, int32_t x) {
    switch (l.bits) {
        case 24: {
            const uint8_t* p = row + std::size_t(x) * 3;
            return Rgb(p[2], p[1], p[0]);
        }
        case 16: {
            const uint8_t* p = row + std::size_t(x) * 2;
            const uint32_t pixel = uint32_t(p[0]) | (uint32_t(p[1]) << 8);
            return Rgb(l.red.Of(pixel), l.green.Of(pixel), l.blue.Of(pixel));
        }
        case 32: {
            const uint8_t* p = row + std::size_t(x) * 4;
            const uint32_t pixel = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
                                   (uint32_t(p[3]) << 24);
            return Rgb(l.red.Of(pixel), l.green.Of(pixel), l.blue.Of(pixel));
        }
        default:
            return l.Color(IndexAt(row, x, l.bits));
    }
}

bool DecodeRows(Bytes b, const Layout& l, PixelImage& into) {
    const uint64_t rowBytes = (uint64_t(l.width) * l.bits + 31) / 32 * 4;
    if (!Has(b, l.dataOffset, 0) || rowBytes > (b.size() - l.dataOffset) / uint64_t(l.height)) {
        return false;
    }
    for (int64_t fileRow = 0; fileRow < l.height; ++fileRow) {
        const uint8_t* row = b.data() + l.dataOffset + std::size_t(fileRow * rowBytes);
        uint8_t* out = into.Row(l.OutputRow(fileRow));
        for (int32_t x = 0; x < l.width; ++x) {
            Put(out + std::size_t(x) * 4, PixelColor(l, row, x));
        }
    }
    return true;
}

// Run-length data: runs and literal spans of palette indexes, line ends,
// moves and the end of the bitmap; whatever lands outside the image is
// dropped.
class RunDecoder {
  public:
    RunDecoder(const Layout& layout, PixelImage& into) : m_l(layout), m_into(into) {}

    bool Decode(Bytes b) {
        std::size_t pos = m_l.dataOffset;
        while (Has(b, pos, 2) && m_y < m_l.height) {
            const uint32_t count = b[pos];
            const uint32_t code = b[pos + 1];
            pos += 2;
            if (count > 0) {
                for (uint32_t i = 0; i < count; ++i) {
                    Paint(m_l.bits == 8 ? code : (i % 2 == 0 ? code >> 4 : code & 0xF));
                }
            } else if (code == 0) {
                m_x = 0;
                ++m_y;
            } else if (code == 1) {
                return true;
            } else if (code == 2) {
                if (!Has(b, pos, 2)) {
                    return false;
                }
                m_x += b[pos];
                m_y += b[pos + 1];
                pos += 2;
            } else {
                const std::size_t bytes = m_l.bits == 8 ? code : (code + 1) / 2;
                if (!Has(b, pos, bytes)) {
                    return false;
                }
                for (uint32_t i = 0; i < code; ++i) {
                    const uint32_t byte = b[pos + (m_l.bits == 8 ? i : i / 2)];
                    Paint(m_l.bits == 8 ? byte : (i % 2 == 0 ? byte >> 4 : byte & 0xF));
                }
                pos += (bytes + 1) & ~std::size_t(1);  // padded to 16 bits
            }
        }
        return true;
    }

  private:
    void Paint(uint32_t index) {
        if (m_x < m_l.width && m_y < m_l.height) {
            Put(m_into.Row(m_l.OutputRow(m_y)) + std::size_t(m_x) * 4, m_l.Color(index));
        }
        ++m_x;
    }

    const Layout& m_l;
    PixelImage& m_into;
    int64_t m_x = 0;
    int64_t m_y = 0;
};

bool DecodeRuns(Bytes b, const Layout& l, PixelImage& into) {
    for (int32_t y = 0; y < l.height; ++y) {
        uint8_t* row = into.Row(y);
        for (int32_t x = 0; x < l.width; ++x) {
            Put(row + std::size_t(x) * 4, l.Color(0));
        }
    }
    return RunDecoder(l, into).Decode(b);
}

}  // namespace

bool DecodeBmp(std::span<const uint8_t> file, const ImageHeader& header, PixelImage& into) {
    into.Clear();
    const std::optional<Layout> layout = ReadLayout(file, header);
    if (!layout || header.width <= 0 || header.height <= 0) {
        return false;
    }
    into.Resize(header.width, header.height);
    const bool runs = layout->compression == kRle8 || layout->compression == kRle4;
    if (!(runs ? DecodeRuns(file, *layout, into) : DecodeRows(file, *layout, into))) {
        into.Clear();
        return false;
    }
    return true;
}

}  // namespace qrv
