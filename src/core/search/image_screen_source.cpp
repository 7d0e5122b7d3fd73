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
    : m_image(std::make_shared<PixelImage>(std::move(image))), m_origin(origin) {}

Rect ImageScreenSource::Bounds() const {
    return {m_origin.x, m_origin.y, Saturated(int64_t(m_origin.x) + m_image->m_iWidth),
            Saturated(int64_t(m_origin.y) + m_image->m_iHeight)};
}

bool ImageScreenSource::Inside(Rect area) const {
    return area.Valid() && area.left >= m_origin.x && area.top >= m_origin.y &&
           area.right <= int64_t(m_origin.x) + m_image->m_iWidth &&
           area.bottom <= int64_t(m_origin.y) + m_image->m_iHeight;
}

void ImageScreenSource::Prepare(Rect area, PixelImage& into) {
    if (Inside(area)) {
        into.Clear();  // the captures will show the image itself: nothing to ready
        return;
    }
    ScreenSource::Prepare(area, into);
}

bool ImageScreenSource::Capture(Rect area, PixelImage& into) {
    if (Inside(area)) {
        uint8_t* first = m_image->Row(int32_t(int64_t(area.top) - m_origin.y)) +
                         (int64_t(area.left) - m_origin.x) * 4;
        const std::size_t capacity = m_image->SizeBytes() - std::size_t(first - m_image->Data());
        into.Adopt(m_image, first, capacity, area.Width(), area.Height(), m_image->m_iWidth);
        return true;
    }
    if (into.Owner() == m_image) {
        into.Clear();  // showing the image itself: the copy below must not land in it
    }
    if (!area.Valid()) {
        into.Clear();
        return false;
    }
    // Overlap in 64-bit screen coordinates: an origin near the integer limits
    // must not wrap.
    const int64_t x0 = std::max<int64_t>(area.left, m_origin.x);
    const int64_t y0 = std::max<int64_t>(area.top, m_origin.y);
    const int64_t x1 = std::min<int64_t>(area.right, int64_t(m_origin.x) + m_image->m_iWidth);
    const int64_t y1 = std::min<int64_t>(area.bottom, int64_t(m_origin.y) + m_image->m_iHeight);
    // Only pixels outside the image need clearing to black.
    if (x0 == area.left && y0 == area.top && x1 == area.right && y1 == area.bottom) {
        into.Resize(area.Width(), area.Height());
    } else {
        into.Reset(area.Width(), area.Height());
    }
    if (into.Empty()) {
        return false;
    }
    if (x0 >= x1 || y0 >= y1) {
        return true;  // nothing of the image in the request: all black
    }
    for (int64_t y = y0; y < y1; ++y) {
        const uint8_t* from = m_image->Row(int32_t(y - m_origin.y)) + (x0 - m_origin.x) * 4;
        uint8_t* to = into.Row(int32_t(y - area.top)) + (x0 - area.left) * 4;
        std::memcpy(to, from, std::size_t(x1 - x0) * 4);
    }
    return true;
}

}  // namespace qrv
