#include "search/pixel_image.h"

#include <utility>

namespace qrv {

namespace {

std::size_t PixelBytes(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) {
        return 0;
    }
    return std::size_t(width) * std::size_t(height) * 4;
}

uint8_t* PixelAt(std::vector<uint8_t>& pixels, int32_t width, int32_t x, int32_t y) {
    return pixels.data() + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 4;
}

}  // namespace

PixelImage::PixelImage(int32_t width, int32_t height) {
    Reset(width, height);
}

PixelImage::PixelImage(PixelImage&& other) noexcept
    : m_pPixels(std::move(other.m_pPixels)),
      m_pInfo(std::move(other.m_pInfo)),
      m_iWidth(std::exchange(other.m_iWidth, 0)),
      m_iHeight(std::exchange(other.m_iHeight, 0)) {
    other.m_pPixels.clear();
    other.m_pInfo.clear();
}

PixelImage& PixelImage::operator=(PixelImage&& other) noexcept {
    if (this != &other) {
        m_pPixels = std::move(other.m_pPixels);
        m_pInfo = std::move(other.m_pInfo);
        m_iWidth = std::exchange(other.m_iWidth, 0);
        m_iHeight = std::exchange(other.m_iHeight, 0);
        other.m_pPixels.clear();
        other.m_pInfo.clear();
    }
    return *this;
}

void PixelImage::Reset(int32_t width, int32_t height) {
    m_iWidth = width > 0 ? width : 0;
    m_iHeight = height > 0 ? height : 0;
    m_pPixels.assign(PixelBytes(m_iWidth, m_iHeight), 0);
    m_pInfo.clear();
}

void PixelImage::Clear() {
    std::vector<uint8_t>().swap(m_pPixels);
    std::vector<uint8_t>().swap(m_pInfo);
    m_iWidth = 0;
    m_iHeight = 0;
}

uint32_t PixelImage::PackedAt(int32_t x, int32_t y) const {
    return PackedColour(Row(y) + std::size_t(x) * 4);
}

void PixelImage::SetPacked(int32_t x, int32_t y, uint32_t packed) {
    uint8_t* p = PixelAt(m_pPixels, m_iWidth, x, y);
    p[0] = uint8_t(packed >> 16);
    p[1] = uint8_t(packed >> 8);
    p[2] = uint8_t(packed);
    p[3] = 0;
}

}  // namespace qrv
