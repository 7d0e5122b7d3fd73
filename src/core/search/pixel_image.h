#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qrv {

// An owned 32-bit image: rows top first, 4 bytes per pixel in the order
// blue, green, red, ignored. Movable, not copyable.
class PixelImage {
public:
    PixelImage() = default;
    PixelImage(int32_t width, int32_t height);
    PixelImage(const PixelImage&) = delete;
    PixelImage& operator=(const PixelImage&) = delete;
    PixelImage(PixelImage&& other) noexcept;
    PixelImage& operator=(PixelImage&& other) noexcept;

    // Sizes the image to width x height with zeroed pixels. Keeps the buffer's
    // capacity, so refilling an image of the same size allocates nothing.
    void Reset(int32_t width, int32_t height);
    // Releases the buffers; width and height become 0.
    void Clear();

    bool Empty() const { return m_iWidth <= 0 || m_iHeight <= 0; }
    uint8_t* Data() { return m_pPixels.data(); }
    const uint8_t* Data() const { return m_pPixels.data(); }
    std::size_t SizeBytes() const { return m_pPixels.size(); }
    uint8_t* Row(int32_t y) { return m_pPixels.data() + std::size_t(y) * std::size_t(m_iWidth) * 4; }
    const uint8_t* Row(int32_t y) const {
        return m_pPixels.data() + std::size_t(y) * std::size_t(m_iWidth) * 4;
    }

    // Packed colour 0x00BBGGRR of pixel (x, y), red in the low byte.
    uint32_t PackedAt(int32_t x, int32_t y) const;
    // Sets the blue, green, red bytes of pixel (x, y) from a packed colour; byte 3 becomes 0.
    void SetPacked(int32_t x, int32_t y, uint32_t packed);

    std::vector<uint8_t> m_pPixels;
    // Header block the pixels were read with; empty when the source had none.
    std::vector<uint8_t> m_pInfo;
    int32_t m_iWidth = 0;
    int32_t m_iHeight = 0;
};

// Packed colour 0x00BBGGRR of a pixel stored as blue, green, red, ignored.
inline uint32_t PackedColour(const uint8_t* bgrx) {
    return (uint32_t(bgrx[0]) << 16) | (uint32_t(bgrx[1]) << 8) | uint32_t(bgrx[2]);
}

}  // namespace qrv
