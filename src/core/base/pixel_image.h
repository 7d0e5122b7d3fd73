#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace qrv {

// A 32-bit image: rows top first, 4 bytes per pixel in the order blue, green,
// red, ignored. The pixels live in the image's own buffer, or in a block
// adopted from elsewhere (such as memory a capture source writes into) that
// the image keeps alive; an adopted block may be part of a wider image, whose
// rows are then Stride() pixels apart. Movable, not copyable.
class PixelImage {
  public:
    PixelImage() = default;
    PixelImage(int32_t width, int32_t height);
    PixelImage(const PixelImage&) = delete;
    PixelImage& operator=(const PixelImage&) = delete;
    PixelImage(PixelImage&& other) noexcept;
    PixelImage& operator=(PixelImage&& other) noexcept;

    // Sizes the image to width x height with zeroed pixels. Keeps the current
    // block (owned or adopted) when it is big enough, so refilling an image of
    // the same size allocates nothing.
    void Reset(int32_t width, int32_t height);
    // Sizes the image like Reset but leaves the pixels as the block holds them,
    // for a caller that overwrites every one: a fresh block is not cleared.
    void Resize(int32_t width, int32_t height);
    // Releases the buffers and any adopted block; width and height become 0.
    void Clear();
    // Shows the width x height pixels at `pixels`, which stay valid while
    // `owner` lives and hold at least `capacity` bytes; the pixels are kept as
    // they are. Rows are `stride` pixels apart (0: the width). Releases the
    // image's own buffer.
    void Adopt(std::shared_ptr<void> owner, uint8_t* pixels, std::size_t capacity, int32_t width,
               int32_t height, int32_t stride = 0);
    // The keeper of the adopted block; null while the image owns its pixels.
    const std::shared_ptr<void>& Owner() const { return m_owner; }

    bool Empty() const { return m_iWidth <= 0 || m_iHeight <= 0; }
    uint8_t* Data() { return m_data; }
    const uint8_t* Data() const { return m_data; }
    // Width x height x 4: the bytes of the pixels when the rows follow each
    // other (Stride() is the width).
    std::size_t SizeBytes() const { return m_size; }
    // Pixels from the start of one row to the start of the next.
    int32_t Stride() const { return m_stride; }
    uint8_t* Row(int32_t y) { return m_data + std::size_t(y) * std::size_t(m_stride) * 4; }
    const uint8_t* Row(int32_t y) const {
        return m_data + std::size_t(y) * std::size_t(m_stride) * 4;
    }

    // Packed colour 0x00BBGGRR of pixel (x, y), red in the low byte.
    uint32_t PackedAt(int32_t x, int32_t y) const;
    // Sets the blue, green, red bytes of pixel (x, y) from a packed colour; byte 3 becomes 0.
    void SetPacked(int32_t x, int32_t y, uint32_t packed);

    // Header block the pixels were read with; empty when the source had none.
    std::vector<uint8_t> m_pInfo;
    int32_t m_iWidth = 0;
    int32_t m_iHeight = 0;

  private:
    std::unique_ptr<uint8_t[]> m_ownedPixels;
    std::size_t m_ownedCapacity = 0;
    std::shared_ptr<void> m_owner;
    uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_adoptedCapacity = 0;
    int32_t m_stride = 0;
};

// Packed colour 0x00BBGGRR of a pixel stored as blue, green, red, ignored.
inline uint32_t PackedColor(const uint8_t* bgrx) {
    return (uint32_t(bgrx[0]) << 16) | (uint32_t(bgrx[1]) << 8) | uint32_t(bgrx[2]);
}

}  // namespace qrv
