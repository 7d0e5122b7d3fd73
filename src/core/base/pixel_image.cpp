#include "core/base/pixel_image.h"

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
      m_ownedPixels(std::move(other.m_ownedPixels)),
      m_ownedCapacity(std::exchange(other.m_ownedCapacity, 0)),
      m_owner(std::move(other.m_owner)),
      m_data(std::exchange(other.m_data, nullptr)),
      m_size(std::exchange(other.m_size, 0)),
      m_adoptedCapacity(std::exchange(other.m_adoptedCapacity, 0)),
      m_stride(std::exchange(other.m_stride, 0)) {
    other.Clear();
}

PixelImage& PixelImage::operator=(PixelImage&& other) noexcept {
    if (this != &other) {
        m_pInfo = std::move(other.m_pInfo);
        m_iWidth = std::exchange(other.m_iWidth, 0);
        m_iHeight = std::exchange(other.m_iHeight, 0);
        m_ownedPixels = std::move(other.m_ownedPixels);
        m_ownedCapacity = std::exchange(other.m_ownedCapacity, 0);
        m_owner = std::move(other.m_owner);
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_adoptedCapacity = std::exchange(other.m_adoptedCapacity, 0);
        m_stride = std::exchange(other.m_stride, 0);
        other.Clear();
    }
    return *this;
}

void PixelImage::Reset(int32_t width, int32_t height) {
    Resize(width, height);
    if (m_size != 0) {
        std::memset(m_data, 0, m_size);
    }
}

void PixelImage::Resize(int32_t width, int32_t height) {
    const int32_t w = std::max(width, 0), h = std::max(height, 0);
    const std::size_t size = PixelBytes(w, h);
    if (size > (m_owner ? m_adoptedCapacity : m_ownedCapacity)) {
        Clear();  // the old block goes before the new one comes; empty if that throws
        m_ownedPixels.reset(new uint8_t[size]);
        m_ownedCapacity = size;
        m_data = m_ownedPixels.get();
    }
    m_iWidth = w;
    m_iHeight = h;
    m_stride = w;
    m_size = size;
    m_pInfo.clear();
}

void PixelImage::Clear() {
    m_ownedPixels.reset();
    m_ownedCapacity = 0;
    std::vector<uint8_t>().swap(m_pInfo);
    m_owner.reset();
    m_data = nullptr;
    m_size = 0;
    m_adoptedCapacity = 0;
    m_iWidth = 0;
    m_iHeight = 0;
    m_stride = 0;
}

void PixelImage::Adopt(std::shared_ptr<void> owner, uint8_t* pixels, std::size_t capacity,
                       int32_t width, int32_t height, int32_t stride) {
    m_ownedPixels.reset();
    m_ownedCapacity = 0;
    m_pInfo.clear();
    m_owner = std::move(owner);
    m_data = pixels;
    m_iWidth = width > 0 ? width : 0;
    m_iHeight = height > 0 ? height : 0;
    m_stride = stride > 0 ? stride : m_iWidth;
    m_size = PixelBytes(m_iWidth, m_iHeight);
    m_adoptedCapacity = capacity;
}

uint32_t PixelImage::PackedAt(int32_t x, int32_t y) const {
    return PackedColor(Row(y) + std::size_t(x) * 4);
}

void PixelImage::SetPacked(int32_t x, int32_t y, uint32_t packed) {
    uint8_t* p = Row(y) + std::size_t(x) * 4;
    p[0] = uint8_t(packed >> 16);
    p[1] = uint8_t(packed >> 8);
    p[2] = uint8_t(packed);
    p[3] = 0;
}

}  // namespace qrv
