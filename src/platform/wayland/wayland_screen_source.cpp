#include "platform/wayland/wayland_screen_source.h"

#include <wayland-client.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/wayland/screencopy_frame.h"
#include "platform/wayland/wayland_display.h"
#include "platform/wayland/wayland_shm_buffer.h"
#include "wayland/wlr-screencopy-unstable-v1-client.h"

namespace qrv {
namespace {

// wl_shm formats with 4 bytes a pixel: memory order blue, green, red, x ...
bool IsBgrx(uint32_t format) {
    return format == WL_SHM_FORMAT_XRGB8888 || format == WL_SHM_FORMAT_ARGB8888;
}
// ... and red, green, blue, x.
bool IsRgbx(uint32_t format) {
    return format == WL_SHM_FORMAT_XBGR8888 || format == WL_SHM_FORMAT_ABGR8888;
}

Rect Intersect(const Rect& a, const Rect& b) {
    Rect rc{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
    return rc.left < rc.right && rc.top < rc.bottom ? rc : Rect{};
}

// The area's rectangle; what lies past the last coordinate is off every output anyway.
Rect AreaRect(int32_t left, int32_t top, int32_t width, int32_t height) {
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    return Rect{left, top, int32_t(std::min(int64_t(left) + width, kMax)),
                int32_t(std::min(int64_t(top) + height, kMax))};
}

// The output-local logical region that covers `part` of output `i`.
Rect LogicalRegion(const OutputLayout& layout, std::size_t i, const Rect& part) {
    const Rect& screen = layout.Screens()[i];
    const double sx = layout.ScaleX(i);
    const double sy = layout.ScaleY(i);
    return Rect{int32_t(std::floor((part.left - screen.left) / sx)),
                int32_t(std::floor((part.top - screen.top) / sy)),
                int32_t(std::ceil((part.right - screen.left) / sx)),
                int32_t(std::ceil((part.bottom - screen.top) / sy))};
}

void FlipRows(uint8_t* pixels, int32_t height, std::size_t stride) {
    std::vector<uint8_t> row(stride);
    for (int32_t y = 0; y < height / 2; ++y) {
        uint8_t* a = pixels + std::size_t(y) * stride;
        uint8_t* b = pixels + std::size_t(height - 1 - y) * stride;
        std::memcpy(row.data(), a, stride);
        std::memcpy(a, b, stride);
        std::memcpy(b, row.data(), stride);
    }
}

}  // namespace

WaylandScreenSource::WaylandScreenSource(const std::string& displayName)
    : m_pDisplay(WaylandDisplay::Open(displayName)) {
    if (m_pDisplay) {
        m_pManager = static_cast<zwlr_screencopy_manager_v1*>(
            m_pDisplay->Bind(zwlr_screencopy_manager_v1_interface, 3));
    }
}

WaylandScreenSource::~WaylandScreenSource() {
    if (m_pManager) {
        zwlr_screencopy_manager_v1_destroy(m_pManager);
    }
}

bool WaylandScreenSource::Capture(int32_t left, int32_t top, int32_t width, int32_t height,
                                  PixelImage& into) {
    std::lock_guard lock(m_mutex);
    if (width <= 0 || height <= 0 || !m_pManager || !m_pDisplay->DispatchArrived()) {
        into.Reset(std::max(width, 0), std::max(height, 0));
        return false;
    }
    const Rect area = AreaRect(left, top, width, height);
    const OutputLayout layout = m_pDisplay->Layout();
    const std::vector<Rect>& screens = layout.Screens();
    for (std::size_t i = 0; i < screens.size(); ++i) {
        if (m_bStraight && Intersect(area, screens[i]) == area && area.Width() == width &&
            area.Height() == height && CaptureStraight(layout, i, area, into)) {
            return true;
        }
    }
    into.Reset(width, height);
    bool any = false;
    for (std::size_t i = 0; i < screens.size(); ++i) {
        if (Intersect(area, screens[i]).Width() > 0) {
            any = CapturePart(layout, i, area, into) || any;
        }
    }
    return any;
}

void WaylandScreenSource::Prepare(int32_t left, int32_t top, int32_t width, int32_t height,
                                  PixelImage& into) {
    Capture(left, top, width, height, into);
}

// Has the compositor write the whole area into a buffer that `into` adopts:
// the one it holds from an earlier capture when that fits, else a new one.
bool WaylandScreenSource::CaptureStraight(const OutputLayout& layout, std::size_t output,
                                          const Rect& area, PixelImage& into) {
    wl_output* target = m_pDisplay->OutputNamed(layout.Outputs()[output].name);
    if (!target) {
        return false;
    }
    ScreencopyFrame frame(*m_pDisplay, m_pManager, target, LogicalRegion(layout, output, area));
    if (!frame.AwaitSpec()) {
        return false;
    }
    const ScreencopyFrame::BufferSpec& spec = frame.Spec();
    if (!IsBgrx(spec.format)) {
        m_bStraight = false;  // the compositor's pixels always need converting
        return false;
    }
    if (spec.width != area.Width() || spec.height != area.Height() ||
        int64_t(spec.stride) != int64_t(spec.width) * 4) {
        return false;  // a scaled output's region needs cropping
    }
    std::shared_ptr<WaylandShmBuffer> buffer = BufferOf(into);
    if (!buffer || !buffer->Fits(spec.format, spec.width, spec.height, spec.stride)) {
        buffer =
            WaylandShmBuffer::Create(m_pDisplay, spec.format, spec.width, spec.height, spec.stride);
    }
    if (!buffer || !frame.CopyInto(*buffer)) {
        return false;
    }
    if (frame.YInverted()) {
        FlipRows(buffer->Pixels(), spec.height, std::size_t(spec.stride));
    }
    if (into.Owner() != buffer) {
        m_adopted.push_back(buffer);
    }
    into.Adopt(buffer, buffer->Pixels(), buffer->Size(), spec.width, spec.height);
    return true;
}

std::shared_ptr<WaylandShmBuffer> WaylandScreenSource::BufferOf(const PixelImage& image) {
    std::erase_if(m_adopted, [](const std::weak_ptr<WaylandShmBuffer>& b) { return b.expired(); });
    for (const std::weak_ptr<WaylandShmBuffer>& weak : m_adopted) {
        std::shared_ptr<WaylandShmBuffer> buffer = weak.lock();
        if (buffer && buffer == image.Owner()) {
            return buffer;
        }
    }
    return nullptr;
}

// Copies the part of the area that output `output` shows into its place in `into`.
bool WaylandScreenSource::CapturePart(const OutputLayout& layout, std::size_t output,
                                      const Rect& area, PixelImage& into) {
    const std::string& name = layout.Outputs()[output].name;
    wl_output* target = m_pDisplay->OutputNamed(name);
    const Rect& screen = layout.Screens()[output];
    const Rect part = Intersect(area, screen);
    const Rect region = LogicalRegion(layout, output, part);
    if (!target || region.Width() <= 0 || region.Height() <= 0) {
        return false;
    }
    ScreencopyFrame frame(*m_pDisplay, m_pManager, target, region);
    if (!frame.AwaitSpec()) {
        return false;
    }
    const ScreencopyFrame::BufferSpec& spec = frame.Spec();
    if (!IsBgrx(spec.format) && !IsRgbx(spec.format)) {
        return false;
    }
    std::shared_ptr<WaylandShmBuffer>& buffer = m_parts[name];
    if (!buffer || !buffer->Fits(spec.format, spec.width, spec.height, spec.stride)) {
        buffer.reset();  // one buffer per output at a time
        buffer =
            WaylandShmBuffer::Create(m_pDisplay, spec.format, spec.width, spec.height, spec.stride);
    }
    if (!buffer || !frame.CopyInto(*buffer)) {
        return false;
    }
    // Buffer pixel (0, 0) shows the region's top-left corner, in the buffer's own scale.
    const int64_t originX =
        screen.left + std::llround(region.left * double(spec.width) / double(region.Width()));
    const int64_t originY =
        screen.top + std::llround(region.top * double(spec.height) / double(region.Height()));
    const int64_t fromX = std::max<int64_t>(part.left, originX);
    const int64_t toX = std::min<int64_t>(part.right, originX + spec.width);
    const int64_t fromY = std::max<int64_t>(part.top, originY);
    const int64_t toY = std::min<int64_t>(part.bottom, originY + spec.height);
    const bool swap = IsRgbx(spec.format);
    for (int64_t y = fromY; y < toY; ++y) {
        int64_t row = y - originY;
        if (frame.YInverted()) {
            row = spec.height - 1 - row;
        }
        const uint8_t* in = buffer->Pixels() + std::size_t(row) * std::size_t(spec.stride) +
                            std::size_t(fromX - originX) * 4;
        uint8_t* out = into.Row(int32_t(y - area.top)) + std::size_t(fromX - area.left) * 4;
        const std::size_t count = std::size_t(std::max<int64_t>(toX - fromX, 0));
        if (!swap) {
            std::memcpy(out, in, count * 4);
            continue;
        }
        for (std::size_t x = 0; x < count; ++x, in += 4, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = in[3];
        }
    }
    return true;
}

}  // namespace qrv
