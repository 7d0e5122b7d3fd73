#include "platform/portal/portal_input_injector.h"

#include <linux/input-event-codes.h>

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

}  // namespace

PortalInputInjector::PortalInputInjector(std::shared_ptr<PortalSession> session,
                                         std::vector<PortalSession::Stream> streams)
    : m_session(std::move(session)),
      m_streams(std::move(streams)),
      m_virtualScreen(VirtualScreenOf(m_streams)) {}

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
    for (const PortalSession::Stream& s : m_streams) {
        if (s.area.Contains(p)) {
            m_session->NotifyPointer(
                "NotifyPointerMotionAbsolute",
                {s.nodeId, double(int64_t(p.x) - s.area.left), double(int64_t(p.y) - s.area.top)});
            m_cursor = p;
            return;
        }
    }
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
