#include "platform/wayland/wayland_screen_source.h"

#include <wayland-client.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include "platform/wayland/screencopy_stream.h"
#include "platform/wayland/wayland_event_pump.h"
#include "platform/wayland/wayland_shm_buffer.h"
#include "platform/wayland_client/wayland_display.h"
#include "wayland/wlr-screencopy-unstable-v1-client.h"

namespace qrv {
namespace {

// wl_shm formats with 4 bytes a pixel in memory order red, green, blue, x.
bool IsRgbx(uint32_t format) {
    return format == WL_SHM_FORMAT_XBGR8888 || format == WL_SHM_FORMAT_ABGR8888;
}

Rect Intersect(const Rect& a, const Rect& b) {
    Rect rc{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
    return rc.left < rc.right && rc.top < rc.bottom ? rc : Rect{};
}

void CopyRow(const uint8_t* in, uint8_t* out, std::size_t count, bool swap) {
    if (!swap) {
        std::memcpy(out, in, count * 4);
        return;
    }
    for (std::size_t x = 0; x < count; ++x, in += 4, out += 4) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        out[3] = in[3];
    }
}

}  // namespace

WaylandScreenSource::WaylandScreenSource(const std::string& displayName,
                                         std::chrono::milliseconds idleAfter)
    : m_display(WaylandDisplay::Open(displayName)), m_idleAfter(idleAfter) {
    if (!m_display) {
        return;
    }
    m_manager = static_cast<zwlr_screencopy_manager_v1*>(
        m_display->Bind(zwlr_screencopy_manager_v1_interface, 3));
    if (m_manager) {
        m_pump = std::make_unique<WaylandEventPump>(m_display->Fd(),
                                                    [this](int& waitMs) { return Pump(waitMs); });
    }
}

WaylandScreenSource::~WaylandScreenSource() {
    m_pump.reset();
    m_streams.clear();
    if (m_manager) {
        zwlr_screencopy_manager_v1_destroy(m_manager);
    }
}

bool WaylandScreenSource::Pump(int& waitMs) {
    std::lock_guard lock(m_mutex);
    const bool alive = m_display->DispatchArrived();
    const ScreencopyStream::Clock::time_point now = ScreencopyStream::Clock::now();
    std::optional<ScreencopyStream::Clock::duration> wait;
    for (auto& [name, stream] : m_streams) {
        stream->Sweep();
        if (const auto due = stream->StopWhenIdle(now)) {
            wait = std::min(wait.value_or(*due), *due);
        }
    }
    constexpr int64_t kLongestWaitMs = std::numeric_limits<int>::max();
    waitMs = wait
                 ? int(std::min<int64_t>(
                       std::chrono::ceil<std::chrono::milliseconds>(*wait).count(), kLongestWaitMs))
                 : -1;
    return alive;
}

std::size_t WaylandScreenSource::ArmedCopies() {
    std::lock_guard lock(m_mutex);
    std::size_t armed = 0;
    for (const auto& [name, stream] : m_streams) {
        armed += stream->Armed();
    }
    return armed;
}

bool WaylandScreenSource::Capture(Rect area, PixelImage& into) {
    std::lock_guard lock(m_mutex);
    if (!area.Valid()) {
        into.Clear();
        return false;
    }
    if (!m_manager || !m_display->DispatchArrived()) {
        into.Reset(area.Width(), area.Height());
        return false;
    }
    const OutputLayout layout = m_display->Layout();
    const std::vector<Rect>& screens = layout.Screens();
    std::vector<std::pair<Rect, ScreencopyStream*>>& parts = m_parts;
    parts.clear();
    bool started = false;
    const ScreencopyStream::Clock::time_point now = ScreencopyStream::Clock::now();
    for (std::size_t i = 0; i < screens.size(); ++i) {
        ScreencopyStream* stream =
            Intersect(area, screens[i]).Width() > 0 ? StreamOf(layout, i) : nullptr;
        if (stream) {
            started = stream->Use(now) || started;
            parts.emplace_back(screens[i], stream);
        }
    }
    // Once the compositor answers, every frame it drew before has been
    // handed over; a stream starting afresh also waits for its first frame.
    if (!parts.empty()) {
        m_display->Sync();
        m_display->DispatchUntil([&] {
            return std::none_of(parts.begin(), parts.end(),
                                [](const auto& p) { return p.second->Waiting(); });
        });
        m_display->DispatchArrived();  // sends the copies armed meanwhile
    }
    for (auto& [name, stream] : m_streams) {
        stream->Sweep();
    }
    if (started && m_pump) {
        m_pump->Wake();  // to withdraw the copies once captures stop
    }
    // An area one output covers whole needs no clearing first.
    const bool covered = parts.size() == 1 && parts[0].second->Newest() &&
                         Intersect(area, parts[0].first) == area &&
                         parts[0].second->NewestSpec().width == parts[0].first.Width() &&
                         parts[0].second->NewestSpec().height == parts[0].first.Height();
    if (covered) {
        into.Resize(area.Width(), area.Height());
    } else {
        into.Reset(area.Width(), area.Height());
    }
    bool any = false;
    for (const auto& [screen, stream] : parts) {
        any = CopyPart(screen, *stream, area, into) || any;
    }
    return any;
}

void WaylandScreenSource::Prepare(Rect area, PixelImage& into) {
    Capture(area, into);
}

// The stream of output `output`, started afresh when the output is new or the
// stream failed; null when the output has gone.
ScreencopyStream* WaylandScreenSource::StreamOf(const OutputLayout& layout, std::size_t output) {
    std::erase_if(m_streams, [&](const auto& entry) {
        return m_display->OutputNamed(entry.first) != entry.second->Output();
    });
    const std::string& name = layout.Outputs()[output].name;
    wl_output* target = m_display->OutputNamed(name);
    if (!target) {
        return nullptr;
    }
    std::unique_ptr<ScreencopyStream>& stream = m_streams[name];
    if (!stream || stream->Failed()) {
        stream = std::make_unique<ScreencopyStream>(m_display, m_manager, target, m_idleAfter);
    }
    return stream.get();
}

// Copies the part of the area that the stream's output shows into its place in `into`.
bool WaylandScreenSource::CopyPart(const Rect& screen, const ScreencopyStream& stream,
                                   const Rect& area, PixelImage& into) const {
    const WaylandShmBuffer* buffer = stream.Newest();
    if (!buffer) {
        return false;
    }
    // Buffer pixel (0, 0) shows the output's top-left corner.
    const ScreencopyFrame::BufferSpec& spec = stream.NewestSpec();
    const Rect part = Intersect(area, screen);
    const int64_t fromX = part.left;
    const int64_t toX = std::min<int64_t>(part.right, int64_t(screen.left) + spec.width);
    const int64_t fromY = part.top;
    const int64_t toY = std::min<int64_t>(part.bottom, int64_t(screen.top) + spec.height);
    const std::size_t count = std::size_t(std::max<int64_t>(toX - fromX, 0));
    const bool swap = IsRgbx(spec.format);
    for (int64_t y = fromY; y < toY; ++y) {
        int64_t row = y - screen.top;
        if (stream.NewestYInverted()) {
            row = spec.height - 1 - row;
        }
        const uint8_t* in = buffer->Pixels() + std::size_t(row) * std::size_t(spec.stride) +
                            std::size_t(fromX - screen.left) * 4;
        uint8_t* out = into.Row(int32_t(y - area.top)) + std::size_t(fromX - area.left) * 4;
        CopyRow(in, out, count, swap);
    }
    return true;
}

}  // namespace qrv
