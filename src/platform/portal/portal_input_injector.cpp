#include "platform/portal/portal_input_injector.h"

#include <linux/input-event-codes.h>
#include <algorithm>

#include "core/search/mouse_input.h"
#include "platform/portal/stream_display_layout.h"

namespace qrv {
namespace {

constexpr uint32_t kReleased = 0;
constexpr uint32_t kPressed = 1;

Rect VirtualScreenOf(const std::vector<PortalSession::Stream>& streams) {
    std::vector<Rect> monitors;
    for (const PortalSession::Stream& s : streams) {
        monitors.push_back(s.area);
    }
    return StreamDisplayLayout(std::move(monitors)).VirtualScreen();
}

bool Unplaced(const std::vector<PortalSession::Stream>& streams) {
    return streams.size() > 1 && std::any_of(streams.begin(), streams.end(),
                                             [](const auto& s) { return !s.geometry.position; });
}

}  // namespace

PortalInputInjector::PortalInputInjector(std::shared_ptr<PortalSession> session,
                                         std::vector<PortalSession::Stream> streams)
    : m_session(std::move(session)),
      m_streams(std::move(streams)),
      m_virtualScreen(VirtualScreenOf(m_streams)),
      m_fromLastStream(Unplaced(m_streams)) {}

void PortalInputInjector::Inject(const MouseEvent& event) {
    std::lock_guard lock(m_mutex);
    if (event.flags & mouse_flags::kMove) {
        if (event.flags & mouse_flags::kAbsolute) {
            const Rect& target = m_virtualScreen;
            MoveTo(Point{MouseInput::NormalisedToPixel(event.dx, target.left, target.Width()),
                         MouseInput::NormalisedToPixel(event.dy, target.top, target.Height())});
        } else {
            MoveBy(event.dx, event.dy);
        }
    }
    if (event.flags & mouse_flags::kLeftDown) {
        m_session->NotifyPointer("NotifyPointerButton", {int32_t(BTN_LEFT), kPressed});
    }
    if (event.flags & mouse_flags::kLeftUp) {
        m_session->NotifyPointer("NotifyPointerButton", {int32_t(BTN_LEFT), kReleased});
    }
}

// From an unknown position the motion stays relative, and so does the
// position's being unknown.
void PortalInputInjector::MoveBy(int32_t dx, int32_t dy) {
    if (m_cursor) {
        MoveTo(Point{m_cursor->x + dx, m_cursor->y + dy});
    } else {
        m_session->NotifyPointer("NotifyPointerMotion", {double(dx), double(dy)});
    }
}

// Motion goes to the stream of the monitor under the point; a point off
// every monitor is left alone, as the compositor would clamp it anyway.
void PortalInputInjector::MoveTo(Point p) {
    const auto under = std::find_if(m_streams.begin(), m_streams.end(),
                                    [p](const auto& s) { return s.area.Contains(p); });
    if (under == m_streams.end()) {
        return;
    }
    const PortalSession::Stream& last = m_streams.back();
    if (!m_fromLastStream || &*under == &last) {
        MoveOn(*under, p);
    } else {
        // From the centre, not a corner, where the desktop may have an action.
        const Point centre{int32_t(last.area.left + last.area.Width() / 2),
                           int32_t(last.area.top + last.area.Height() / 2)};
        MoveOn(last, centre);
        m_session->NotifyPointer("NotifyPointerMotion", {double(int64_t(p.x) - centre.x),
                                                         double(int64_t(p.y) - centre.y)});
    }
    m_cursor = p;
}

void PortalInputInjector::MoveOn(const PortalSession::Stream& stream, Point p) {
    m_session->NotifyPointer("NotifyPointerMotionAbsolute",
                             {stream.nodeId, double(int64_t(p.x) - stream.area.left),
                              double(int64_t(p.y) - stream.area.top)});
}

std::optional<Point> PortalInputInjector::CursorPos() {
    std::lock_guard lock(m_mutex);
    return m_cursor;
}

void PortalInputInjector::SetCursorPos(Point p) {
    std::lock_guard lock(m_mutex);
    MoveTo(p);
}

}  // namespace qrv
