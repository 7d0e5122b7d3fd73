#include "platform/images/png_row_writer.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <utility>

namespace qrv {
namespace {

// Adam7: where each pass starts and how far apart its pixels are.
struct Pass {
    uint32_t x0, y0, dx, dy;
};
constexpr Pass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
constexpr Pass kWhole{0, 0, 1, 1};

uint32_t Span(int32_t size, uint32_t start, uint32_t step) {
    return uint32_t(size) > start ? (uint32_t(size) - start + step - 1) / step : 0;
}

int PassCount(const PngFormat& f) {
    return f.interlaced ? 7 : 1;
}

const Pass& PassAt(const PngFormat& f, int pass) {
    return f.interlaced ? kAdam7[pass] : kWhole;
}

// A 16-bit sample rounded to 8 bits.
uint8_t Narrow(const uint8_t* sample) {
    const uint32_t v = (uint32_t(sample[0]) << 8) | sample[1];
    return uint8_t((v * 255 + 32895) >> 16);
}

uint32_t Sample16(const uint8_t* sample) {
    return (uint32_t(sample[0]) << 8) | sample[1];
}

void Put(uint8_t* out, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) {
    out[0] = blue;
    out[1] = green;
    out[2] = red;
    out[3] = alpha;
}

// The neighbour closest to left + up - upLeft, ties going to left, then up;
// written without branches, which the data would make unpredictable.
int Paeth(int left, int up, int upLeft) {
    int best = left;
    int distance = std::abs(up - upLeft);
    const int toUp = std::abs(left - upLeft);
    const int toUpLeft = std::abs(left + up - 2 * upLeft);
    if (toUp < distance) {
        distance = toUp;
        best = up;
    }
    return toUpLeft < distance ? upLeft : best;
}

// Calls f(0), f(1) ... f(kCount - 1), unrolled.
template <std::size_t kCount, typename F>
void Unrolled(F&& f) {
    [&]<std::size_t... kIndex>(std::index_sequence<kIndex...>) {
        (f(std::integral_constant<std::size_t, kIndex>()), ...);
    }
    (std::make_index_sequence<kCount>());
}

// The filters that look left, for pixels of kStep bytes: the bytes of one
// pixel are independent chains, each kept in a register.
template <std::size_t kStep>
void SubRow(uint8_t* row, const uint8_t* from, std::size_t bytes) {
    std::array<uint8_t, kStep> left{};
    for (std::size_t i = 0; i < bytes; i += kStep) {
        Unrolled<kStep>([&](auto c) {
            left[c] = uint8_t(from[i + c] + left[c]);
            row[i + c] = left[c];
        });
    }
}

template <std::size_t kStep>
void AverageRow(uint8_t* row, const uint8_t* from, const uint8_t* up, std::size_t bytes) {
    std::array<uint8_t, kStep> left{};
    for (std::size_t i = 0; i < bytes; i += kStep) {
        Unrolled<kStep>([&](auto c) {
            left[c] = uint8_t(from[i + c] + ((left[c] + up[i + c]) >> 1));
            row[i + c] = left[c];
        });
    }
}

template <std::size_t kStep>
void PaethRow(uint8_t* row, const uint8_t* from, const uint8_t* up, std::size_t bytes) {
    std::array<int, kStep> left{};
    std::array<int, kStep> upLeft{};
    for (std::size_t i = 0; i < bytes; i += kStep) {
        Unrolled<kStep>([&](auto c) {
            const int above = up[i + c];
            left[c] = uint8_t(from[i + c] + Paeth(left[c], above, upLeft[c]));
            upLeft[c] = above;
            row[i + c] = uint8_t(left[c]);
        });
    }
}

template <std::size_t kStep>
void UnfilterLeft(uint8_t filter, uint8_t* row, const uint8_t* from, const uint8_t* up,
                  std::size_t bytes) {
    if (filter == 1) {
        SubRow<kStep>(row, from, bytes);
    } else if (filter == 3) {
        AverageRow<kStep>(row, from, up, bytes);
    } else {
        PaethRow<kStep>(row, from, up, bytes);
    }
}

}  // namespace

uint32_t PngFormat::Channels() const {
    switch (colorType) {
        case 2:
            return 3;
        case 4:
            return 2;
        case 6:
            return 4;
        default:
            return 1;
    }
}

std::size_t PngFormat::RowBytes(uint32_t pixels) const {
    return (std::size_t(pixels) * Channels() * bits + 7) / 8;
}

uint64_t PngFormat::FilteredBytes() const {
    uint64_t total = 0;
    for (int pass = 0; pass < PassCount(*this); ++pass) {
        const Pass& p = PassAt(*this, pass);
        const uint32_t w = Span(width, p.x0, p.dx);
        const uint32_t h = Span(height, p.y0, p.dy);
        if (w > 0 && h > 0) {
            total += uint64_t(h) * (1 + RowBytes(w));
        }
    }
    return total;
}

PngRowWriter::PngRowWriter(const PngFormat& format, PixelImage& into)
    : m_format(format),
      m_into(into),
      m_step(std::max<std::size_t>(1, format.Channels() * format.bits / 8)) {
    const std::size_t rowBytes = format.RowBytes(uint32_t(format.width));
    m_rows.reset(new uint8_t[2 * rowBytes + 2]);
    m_current = m_rows.get();
    m_previous = m_current + rowBytes + 1;
    StartPass(0);
}

void PngRowWriter::StartPass(int pass) {
    for (m_pass = pass; m_pass < PassCount(m_format); ++m_pass) {
        const Pass& p = PassAt(m_format, m_pass);
        m_passWidth = Span(m_format.width, p.x0, p.dx);
        m_passHeight = Span(m_format.height, p.y0, p.dy);
        if (m_passWidth > 0 && m_passHeight > 0) {
            m_passRow = 0;
            std::memset(m_previous, 0, m_format.RowBytes(m_passWidth));
            return;
        }
    }
    m_done = true;
}

bool PngRowWriter::Take(const uint8_t* filtered) {
    if (m_done || filtered[0] > 4) {
        return false;
    }
    const std::size_t bytes = m_format.RowBytes(m_passWidth);
    Unfilter(filtered[0], filtered + 1, bytes);
    const Pass& p = PassAt(m_format, m_pass);
    uint8_t* out = m_into.Row(int32_t(p.y0 + m_passRow * p.dy)) + std::size_t(p.x0) * 4;
    Expand(m_current, out, std::size_t(p.dx) * 4);
    std::swap(m_current, m_previous);
    if (++m_passRow == m_passHeight) {
        StartPass(m_pass + 1);
    }
    return true;
}

// A row holds whole pixels of m_step bytes (1 for pixels below 8 bits).
void PngRowWriter::Unfilter(uint8_t filter, const uint8_t* from, std::size_t bytes) {
    uint8_t* row = m_current;
    const uint8_t* up = m_previous;
    if (filter == 0) {
        std::memcpy(row, from, bytes);
        return;
    }
    if (filter == 2) {
        for (std::size_t i = 0; i < bytes; ++i) {
            row[i] = uint8_t(from[i] + up[i]);
        }
        return;
    }
    switch (m_step) {
        case 1:
            return UnfilterLeft<1>(filter, row, from, up, bytes);
        case 2:
            return UnfilterLeft<2>(filter, row, from, up, bytes);
        case 3:
            return UnfilterLeft<3>(filter, row, from, up, bytes);
        case 4:
            return UnfilterLeft<4>(filter, row, from, up, bytes);
        case 6:
            return UnfilterLeft<6>(filter, row, from, up, bytes);
        default:
            return UnfilterLeft<8>(filter, row, from, up, bytes);
    }
}

void PngRowWriter::Expand(const uint8_t* row, uint8_t* out, std::size_t step) const {
    switch (m_format.colorType) {
        case 0:
            ExpandGrey(row, out, step);
            break;
        case 2:
            ExpandRgb(row, out, step);
            break;
        case 3:
            ExpandPalette(row, out, step);
            break;
        default:
            ExpandWithAlpha(row, out, step);
            break;
    }
}

void PngRowWriter::ExpandGrey(const uint8_t* row, uint8_t* out, std::size_t step) const {
    const PngFormat& f = m_format;
    for (uint32_t x = 0; x < m_passWidth; ++x, out += step) {
        uint32_t sample = 0;
        uint8_t grey = 0;
        if (f.bits == 16) {
            sample = Sample16(row + std::size_t(x) * 2);
            grey = Narrow(row + std::size_t(x) * 2);
        } else {
            const std::size_t bit = std::size_t(x) * f.bits;
            sample = (uint32_t(row[bit / 8]) >> (8 - f.bits - bit % 8)) & ((1u << f.bits) - 1);
            grey = uint8_t(sample * (255 / ((1u << f.bits) - 1)));
        }
        Put(out, grey, grey, grey, f.hasKey && sample == f.keyRed ? 0 : 255);
    }
}

void PngRowWriter::ExpandRgb(const uint8_t* row, uint8_t* out, std::size_t step) const {
    const PngFormat& f = m_format;
    if (f.bits == 8 && !f.hasKey) {
        for (uint32_t x = 0; x < m_passWidth; ++x, out += step, row += 3) {
            Put(out, row[0], row[1], row[2], 255);
        }
        return;
    }
    for (uint32_t x = 0; x < m_passWidth; ++x, out += step) {
        if (f.bits == 8) {
            const uint8_t* p = row + std::size_t(x) * 3;
            const bool key = p[0] == f.keyRed && p[1] == f.keyGreen && p[2] == f.keyBlue;
            Put(out, p[0], p[1], p[2], f.hasKey && key ? 0 : 255);
        } else {
            const uint8_t* p = row + std::size_t(x) * 6;
            const bool key = Sample16(p) == f.keyRed && Sample16(p + 2) == f.keyGreen &&
                             Sample16(p + 4) == f.keyBlue;
            Put(out, Narrow(p), Narrow(p + 2), Narrow(p + 4), f.hasKey && key ? 0 : 255);
        }
    }
}

void PngRowWriter::ExpandPalette(const uint8_t* row, uint8_t* out, std::size_t step) const {
    const PngFormat& f = m_format;
    for (uint32_t x = 0; x < m_passWidth; ++x, out += step) {
        const std::size_t bit = std::size_t(x) * f.bits;
        const uint32_t index =
            (uint32_t(row[bit / 8]) >> (8 - f.bits - bit % 8)) & ((1u << f.bits) - 1);
        const uint32_t rgb = f.palette[index];
        Put(out, uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb), f.paletteAlpha[index]);
    }
}

// Grey and alpha, or RGBA.
void PngRowWriter::ExpandWithAlpha(const uint8_t* row, uint8_t* out, std::size_t step) const {
    const PngFormat& f = m_format;
    const bool grey = f.colorType == 4;
    if (f.bits == 8 && !grey) {
        for (uint32_t x = 0; x < m_passWidth; ++x, out += step, row += 4) {
            Put(out, row[0], row[1], row[2], row[3]);
        }
        return;
    }
    const std::size_t sample = f.bits / 8;
    for (uint32_t x = 0; x < m_passWidth; ++x, out += step) {
        const uint8_t* p = row + std::size_t(x) * f.Channels() * sample;
        auto at = [&](uint32_t channel) {
            return sample == 2 ? Narrow(p + channel * 2) : p[channel];
        };
        if (grey) {
            Put(out, at(0), at(0), at(0), at(1));
        } else {
            Put(out, at(0), at(1), at(2), at(3));
        }
    }
}

}  // namespace qrv
