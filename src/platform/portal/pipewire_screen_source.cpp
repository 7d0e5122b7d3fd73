#include "platform/portal/pipewire_screen_source.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/portal/pipewire_stream.h"

namespace qrv {

PipeWireScreenSource::PipeWireScreenSource(std::vector<Monitor> monitors, int firstFrameMs)
    : m_monitors(std::move(monitors)), m_firstFrameMs(firstFrameMs) {}

PipeWireScreenSource::~PipeWireScreenSource() = default;

bool PipeWireScreenSource::Capture(int32_t left, int32_t top, int32_t width, int32_t height,
                                   PixelImage& into) {
    std::lock_guard lock(m_mutex);
    into.Reset(std::max(width, 0), std::max(height, 0));
    if (width <= 0 || height <= 0) {
        return false;
    }
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    const int64_t right = std::min(int64_t(left) + width, kMax);
    const int64_t bottom = std::min(int64_t(top) + height, kMax);
    bool any = false;
    for (Monitor& m : m_monitors) {
        const int64_t fromX = std::max<int64_t>(left, m.area.left);
        const int64_t toX = std::min<int64_t>(right, m.area.right);
        const int64_t fromY = std::max<int64_t>(top, m.area.top);
        const int64_t toY = std::min<int64_t>(bottom, m.area.bottom);
        if (fromX >= toX || fromY >= toY) {
            continue;
        }
        // A monitor of the area without a frame of its size: no screen to search.
        if (!m.stream->LatestFrame(m_frame, m_firstFrameMs) || m_frame.m_iWidth != m.area.Width() ||
            m_frame.m_iHeight != m.area.Height()) {
            return false;
        }
        for (int64_t y = fromY; y < toY; ++y) {
            std::memcpy(into.Row(int32_t(y - top)) + std::size_t(fromX - left) * 4,
                        m_frame.Row(int32_t(y - m.area.top)) + std::size_t(fromX - m.area.left) * 4,
                        std::size_t(toX - fromX) * 4);
        }
        any = true;
    }
    return any;
}

}  // namespace qrv
