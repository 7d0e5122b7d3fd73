#include "platform/portal/portal_input_injector.h"

#include <linux/input-event-codes.h>
#include <algorithm>

#include "core/search/mouse_input.h"
#include "platform/portal/stream_display_layout.h"

namespace qrv {
namespace {

constexpr uint32_t kReleased = 0;
constexpr uint32_t kPressed = 1;
// Wheel axes as Wayland numbers them; positive steps scroll down and right.
constexpr uint32_t kVerticalAxis = 0;
constexpr uint32_t kHorizontalAxis = 1;

struct ButtonChange {
    uint32_t flag;
    int32_t button;  // evdev code
    uint32_t state;
};
constexpr ButtonChange kButtonChanges[] = {
    {mouse_flags::kLeftDown, BTN_LEFT, kPressed},
    {mouse_flags::kLeftUp, BTN_LEFT, kReleased},
    {mouse_flags::kRightDown, BTN_RIGHT, kPressed},
    {mouse_flags::kRightUp, BTN_RIGHT, kReleased},
    {mouse_flags::kMiddleDown, BTN_MIDDLE, kPressed},
    {mouse_flags::kMiddleUp, BTN_MIDDLE, kReleased},
};

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
    for (const ButtonChange& change : kButtonChanges) {
        if (event.flags & change.flag) {
            m_session->Notify("NotifyPointerButton", {change.button, change.state});
        }
    }
    // A wheel turned away from the user scrolls up: negative steps here.
    const int32_t steps = int32_t(event.mouseData) / kWheelDelta;
    if ((event.flags & mouse_flags::kWheel) && steps != 0) {
        m_session->Notify("NotifyPointerAxisDiscrete", {kVerticalAxis, -steps});
    }
    if ((event.flags & mouse_flags::kHorizontalWheel) && steps != 0) {
        m_session->Notify("NotifyPointerAxisDiscrete", {kHorizontalAxis, steps});
    }
}

// From an unknown position the motion stays relative, and so does the
// position's being unknown.
void PortalInputInjector::MoveBy(int32_t dx, int32_t dy) {
    if (m_cursor) {
        MoveTo(Point{m_cursor->x + dx, m_cursor->y + dy});
    } else {
        m_session->Notify("NotifyPointerMotion", {double(dx), double(dy)});
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
        m_session->Notify("NotifyPointerMotion",
                          {double(int64_t(p.x) - centre.x), double(int64_t(p.y) - centre.y)});
    }
    m_cursor = p;
}

void PortalInputInjector::MoveOn(const PortalSession::Stream& stream, Point p) {
    m_session->Notify("NotifyPointerMotionAbsolute",
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
