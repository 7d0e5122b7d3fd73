#include "platform/portal/pipewire_screen_source.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/portal/pipewire_stream.h"

namespace qrv {

PipeWireScreenSource::PipeWireScreenSource(std::vector<Monitor> monitors, int firstFrameMs)
    : m_monitors(std::move(monitors)), m_firstFrameMs(firstFrameMs) {}

PipeWireScreenSource::~PipeWireScreenSource() = default;

bool PipeWireScreenSource::Capture(Rect area, PixelImage& into) {
    std::lock_guard lock(m_mutex);
    if (!area.Valid()) {
        into.Clear();
        return false;
    }
    into.Reset(area.Width(), area.Height());
    const int32_t left = area.left, top = area.top;
    bool any = false;
    for (Monitor& m : m_monitors) {
        const int32_t fromX = std::max(left, m.area.left);
        const int32_t toX = std::min(area.right, m.area.right);
        const int32_t fromY = std::max(top, m.area.top);
        const int32_t toY = std::min(area.bottom, m.area.bottom);
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
