#include "core/search/image_screen_source.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace qrv {

namespace {

int32_t Saturated(int64_t value) {
    return int32_t(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                       std::numeric_limits<int32_t>::max()));
}

}  // namespace

ImageScreenSource::ImageScreenSource(PixelImage image, Point origin)
    : m_image(std::move(image)), m_origin(origin) {}

Rect ImageScreenSource::Bounds() const {
    return {m_origin.x, m_origin.y, Saturated(int64_t(m_origin.x) + m_image.m_iWidth),
            Saturated(int64_t(m_origin.y) + m_image.m_iHeight)};
}

bool ImageScreenSource::Capture(int32_t left, int32_t top, int32_t width, int32_t height,
                                PixelImage& into) {
    // Overlap of the request with the image, in 64-bit screen coordinates: a
    // request or an origin near the integer limits must not wrap.
    const int64_t right = int64_t(left) + width, bottom = int64_t(top) + height;
    const int64_t x0 = std::max<int64_t>(left, m_origin.x);
    const int64_t y0 = std::max<int64_t>(top, m_origin.y);
    const int64_t x1 = std::min(right, int64_t(m_origin.x) + m_image.m_iWidth);
    const int64_t y1 = std::min(bottom, int64_t(m_origin.y) + m_image.m_iHeight);
    // Only pixels outside the image need clearing to black.
    if (x0 == left && y0 == top && x1 == right && y1 == bottom) {
        into.Resize(width, height);
    } else {
        into.Reset(std::max(width, 0), std::max(height, 0));
    }
    if (into.Empty()) {
        return false;
    }
    if (x0 >= x1 || y0 >= y1) {
        return true;  // nothing of the image in the request: all black
    }
    for (int64_t y = y0; y < y1; ++y) {
        const uint8_t* from = m_image.Row(int32_t(y - m_origin.y)) + (x0 - m_origin.x) * 4;
        uint8_t* to = into.Row(int32_t(y - top)) + (x0 - left) * 4;
        std::memcpy(to, from, std::size_t(x1 - x0) * 4);
    }
    return true;
}

}  // namespace qrv
