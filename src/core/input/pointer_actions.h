#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/geometry.h"
#include "core/desktop/clock.h"
#include "core/desktop/display_layout.h"
#include "core/search/mouse_input.h"

namespace qrv {

// Clicks with any button, moves, drags and wheel turns at screen points, as
// the command line and the Python module offer them. A point outside the
// virtual screen, or too many wheel steps, throws std::invalid_argument with
// a text for the user before anything is injected. Keeps no state between
// calls.
class PointerActions {
  public:
    // The most wheel steps one scroll takes, either way.
    static constexpr int32_t kMostWheelSteps = 10000;

    PointerActions(MouseInput& mouse, DisplayLayout& layout, Clock& clock);

    // "left", "right" or "middle"; nothing for any other name.
    static std::optional<MouseButton> ButtonFromName(std::string_view name);

    void Move(Point to);
    // Clicks the button once, or twice, at `at` (moving there first) or
    // where the cursor is.
    void Click(std::optional<Point> at, MouseButton button, bool twice);
    // Presses the left button at `from`, moves to `to` in small steps and
    // releases it there.
    void Drag(Point from, Point to);
    // Turns the wheel one step at a time (see MouseInput::Wheel), at `at`
    // (moving there first) or where the cursor is.
    void Scroll(int32_t steps, bool horizontal, std::optional<Point> at);

  private:
    // Throws std::invalid_argument when the point is off the virtual screen.
    void CheckOnScreen(Point p);

    MouseInput& m_mouse;
    DisplayLayout& m_layout;
    Clock& m_clock;
};

}  // namespace qrv
