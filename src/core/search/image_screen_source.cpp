#include "search/image_screen_source.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace qrv {

ImageScreenSource::ImageScreenSource(PixelImage image, Point origin)
    : m_image(std::move(image)), m_origin(origin) {}

Rect ImageScreenSource::Bounds() const {
    return {m_origin.x, m_origin.y, m_origin.x + m_image.m_iWidth, m_origin.y + m_image.m_iHeight};
}

bool ImageScreenSource::Capture(int32_t left, int32_t top, int32_t width, int32_t height,
                                PixelImage& into) {
    // Overlap of the request with the image, in screen coordinates (64-bit:
    // a request near the integer limits must not wrap).
    const Rect bounds = Bounds();
    const int64_t x0 = std::max<int64_t>(left, bounds.left);
    const int64_t y0 = std::max<int64_t>(top, bounds.top);
    const int64_t x1 = std::min<int64_t>(int64_t(left) + width, bounds.right);
    const int64_t y1 = std::min<int64_t>(int64_t(top) + height, bounds.bottom);
    // Only pixels outside the image need clearing to black.
    if (x0 == left && y0 == top && x1 == int64_t(left) + width && y1 == int64_t(top) + height) {
        into.Resize(width, height);
    } else {
        into.Reset(std::max(width, 0), std::max(height, 0));
    }
    if (into.Empty()) {
        return false;
    }
    for (int64_t y = y0; y < y1; ++y) {
        const uint8_t* from = m_image.Row(int32_t(y - m_origin.y)) + (x0 - m_origin.x) * 4;
        uint8_t* to = into.Row(int32_t(y - top)) + (x0 - left) * 4;
        std::memcpy(to, from, std::size_t(x1 - x0) * 4);
    }
    return true;
}

}  // namespace qrv
