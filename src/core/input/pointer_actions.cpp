#include "core/input/pointer_actions.h"

#include <cstdlib>
#include <stdexcept>

namespace qrv {

namespace {

// Moves between the ends of a drag, so that the window sees the pointer
// travel past its drag threshold.
constexpr int kDragMoves = 10;
constexpr uint32_t kDragPauseMs = 10;
// Between wheel steps, so that no step is merged with the one before.
constexpr uint32_t kWheelPauseMs = 10;

std::string PointText(Point p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

}  // namespace

PointerActions::PointerActions(MouseInput& mouse, DisplayLayout& layout, Clock& clock)
    : m_mouse(mouse), m_layout(layout), m_clock(clock) {}

std::optional<MouseButton> PointerActions::ButtonFromName(std::string_view name) {
    if (name == "left") {
        return MouseButton::kLeft;
    }
    if (name == "right") {
        return MouseButton::kRight;
    }
    if (name == "middle") {
        return MouseButton::kMiddle;
    }
    return std::nullopt;
}

void PointerActions::CheckOnScreen(Point p) {
    const Rect screen = m_layout.VirtualScreen();
    if (p.x < screen.left || p.x >= screen.right || p.y < screen.top || p.y >= screen.bottom) {
        throw std::invalid_argument(PointText(p) + " is off the screen, which spans " +
                                    PointText({screen.left, screen.top}) + " to " +
                                    PointText({screen.right - 1, screen.bottom - 1}));
    }
}

void PointerActions::Move(Point to) {
    CheckOnScreen(to);
    m_mouse.MoveMouseTo(to.x, to.y);
}

void PointerActions::Click(std::optional<Point> at, MouseButton button, bool twice) {
    if (at) {
        Move(*at);
    }
    m_mouse.Click(button);
    if (twice) {
        m_mouse.Click(button);
    }
}

void PointerActions::Drag(Point from, Point to) {
    CheckOnScreen(to);
    Move(from);
    m_mouse.Button(MouseButton::kLeft, true);
    for (int i = 1; i <= kDragMoves; ++i) {
        m_clock.SleepMs(kDragPauseMs);
        const int64_t x = from.x + (int64_t(to.x) - from.x) * i / kDragMoves;
        const int64_t y = from.y + (int64_t(to.y) - from.y) * i / kDragMoves;
        m_mouse.MoveMouseTo(int32_t(x), int32_t(y));
    }
    m_clock.SleepMs(kDragPauseMs);
    m_mouse.Button(MouseButton::kLeft, false);
}

void PointerActions::Scroll(int32_t steps, bool horizontal, std::optional<Point> at) {
    if (std::abs(int64_t(steps)) > kMostWheelSteps) {
        throw std::invalid_argument("at most " + std::to_string(kMostWheelSteps) +
                                    " wheel steps either way, not " + std::to_string(steps));
    }
    if (at) {
        Move(*at);
    }
    for (int32_t i = 0; i < std::abs(steps); ++i) {
        if (i > 0) {
            m_clock.SleepMs(kWheelPauseMs);
        }
        m_mouse.Wheel(steps > 0 ? 1 : -1, horizontal);
    }
}

}  // namespace qrv
