#include "core/search/pixel_image.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace qrv {

namespace {

std::size_t PixelBytes(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) {
        return 0;
    }
    return std::size_t(width) * std::size_t(height) * 4;
}

}  // namespace

PixelImage::PixelImage(int32_t width, int32_t height) {
    Reset(width, height);
}

PixelImage::PixelImage(PixelImage&& other) noexcept
    : m_pInfo(std::move(other.m_pInfo)),
      m_iWidth(std::exchange(other.m_iWidth, 0)),
      m_iHeight(std::exchange(other.m_iHeight, 0)),
      m_pOwnedPixels(std::move(other.m_pOwnedPixels)),
      m_nOwnedCapacity(std::exchange(other.m_nOwnedCapacity, 0)),
      m_pOwner(std::move(other.m_pOwner)),
      m_pData(std::exchange(other.m_pData, nullptr)),
      m_nSize(std::exchange(other.m_nSize, 0)),
      m_nAdoptedCapacity(std::exchange(other.m_nAdoptedCapacity, 0)) {
    other.Clear();
}

PixelImage& PixelImage::operator=(PixelImage&& other) noexcept {
    if (this != &other) {
        m_pInfo = std::move(other.m_pInfo);
        m_iWidth = std::exchange(other.m_iWidth, 0);
        m_iHeight = std::exchange(other.m_iHeight, 0);
        m_pOwnedPixels = std::move(other.m_pOwnedPixels);
        m_nOwnedCapacity = std::exchange(other.m_nOwnedCapacity, 0);
        m_pOwner = std::move(other.m_pOwner);
        m_pData = std::exchange(other.m_pData, nullptr);
        m_nSize = std::exchange(other.m_nSize, 0);
        m_nAdoptedCapacity = std::exchange(other.m_nAdoptedCapacity, 0);
        other.Clear();
    }
    return *this;
}

void PixelImage::Reset(int32_t width, int32_t height) {
    Resize(width, height);
    if (m_nSize != 0) {
        std::memset(m_pData, 0, m_nSize);
    }
}

void PixelImage::Resize(int32_t width, int32_t height) {
    const int32_t w = std::max(width, 0), h = std::max(height, 0);
    const std::size_t size = PixelBytes(w, h);
    if (size > (m_pOwner ? m_nAdoptedCapacity : m_nOwnedCapacity)) {
        Clear();  // the old block goes before the new one comes; empty if that throws
        m_pOwnedPixels.reset(new uint8_t[size]);
        m_nOwnedCapacity = size;
        m_pData = m_pOwnedPixels.get();
    }
    m_iWidth = w;
    m_iHeight = h;
    m_nSize = size;
    m_pInfo.clear();
}

void PixelImage::Clear() {
    m_pOwnedPixels.reset();
    m_nOwnedCapacity = 0;
    std::vector<uint8_t>().swap(m_pInfo);
    m_pOwner.reset();
    m_pData = nullptr;
    m_nSize = 0;
    m_nAdoptedCapacity = 0;
    m_iWidth = 0;
    m_iHeight = 0;
}

void PixelImage::Adopt(std::shared_ptr<void> owner, uint8_t* pixels, std::size_t capacity,
                       int32_t width, int32_t height) {
    m_pOwnedPixels.reset();
    m_nOwnedCapacity = 0;
    m_pInfo.clear();
    m_pOwner = std::move(owner);
    m_pData = pixels;
    m_iWidth = width > 0 ? width : 0;
    m_iHeight = height > 0 ? height : 0;
    m_nSize = PixelBytes(m_iWidth, m_iHeight);
    m_nAdoptedCapacity = capacity;
}

uint32_t PixelImage::PackedAt(int32_t x, int32_t y) const {
    return PackedColour(Row(y) + std::size_t(x) * 4);
}

void PixelImage::SetPacked(int32_t x, int32_t y, uint32_t packed) {
    uint8_t* p = Row(y) + std::size_t(x) * 4;
    p[0] = uint8_t(packed >> 16);
    p[1] = uint8_t(packed >> 8);
    p[2] = uint8_t(packed);
    p[3] = 0;
}

}  // namespace qrv
