#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/base/pixel_image.h"

namespace qrv {

// How a PNG file stores its pixels: its header, palette and transparency.
struct PngFormat {
    int32_t width = 0;
    int32_t height = 0;
    uint32_t bits = 8;       // per sample: 1, 2, 4, 8 or 16
    uint32_t colorType = 2;  // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
    bool interlaced = false;
    std::array<uint32_t, 256> palette{};  // 0xRRGGBB; missing entries are black
    std::array<uint8_t, 256> paletteAlpha{};
    bool hasKey = false;  // a tRNS colour: grey (in keyRed) or RGB samples
    uint32_t keyRed = 0;
    uint32_t keyGreen = 0;
    uint32_t keyBlue = 0;

    uint32_t Channels() const;
    // Bytes of `pixels` pixels of a row, without the filter byte.
    std::size_t RowBytes(uint32_t pixels) const;
    // Bytes of all rows of all passes, filter bytes included.
    uint64_t FilteredBytes() const;
};

// Turns the rows a PNG file's pixel data inflates to, in file order (filter
// byte first, every interlace pass in turn), into 32-bit blue-green-red-alpha
// pixels of the image: every kind of pixel is widened or narrowed to 8 bits a
// channel (16-bit samples rounded), and pixels without alpha, or whose colour
// is not the tRNS colour, get alpha 255.
//
// A row is read whole before the image row it fills is written, and the
// image's rows are written in order, so the pixel data may lie in the same
// block as the image, after it, as long as row y of the image ends before
// filtered row y + 1 starts.
class PngRowWriter {
  public:
    // `into` already has the format's size.
    PngRowWriter(const PngFormat& format, PixelImage& into);

    // Bytes of the next row to Take, its filter byte included; 0 once every
    // row is in.
    std::size_t NextRowBytes() const { return m_done ? 0 : 1 + m_format.RowBytes(m_passWidth); }
    // Takes the next row, NextRowBytes() long. False on an unknown filter.
    bool Take(const uint8_t* filtered);

  private:
    void StartPass(int pass);
    void Unfilter(uint8_t filter, const uint8_t* from, std::size_t bytes);
    void Expand(const uint8_t* row, uint8_t* out, std::size_t step) const;
    void ExpandGrey(const uint8_t* row, uint8_t* out, std::size_t step) const;
    void ExpandRgb(const uint8_t* row, uint8_t* out, std::size_t step) const;
    void ExpandPalette(const uint8_t* row, uint8_t* out, std::size_t step) const;
    void ExpandWithAlpha(const uint8_t* row, uint8_t* out, std::size_t step) const;

    const PngFormat& m_format;
    PixelImage& m_into;
    std::unique_ptr<uint8_t[]> m_rows;  // the current and the previous row, unfiltered
    uint8_t* m_current = nullptr;
    uint8_t* m_previous = nullptr;
    std::size_t m_step = 1;  // bytes of a whole pixel, at least 1
    int m_pass = 0;
    uint32_t m_passWidth = 0;
    uint32_t m_passHeight = 0;
    uint32_t m_passRow = 0;
    bool m_done = false;
};

}  // namespace qrv
