#include "core/search/mouse_input.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "core/desktop/mouse_event.h"
#include "core/settings/setting_keys.h"

namespace qrv {

namespace {

constexpr int64_t kNormalisedMax = 65535;

}  // namespace

MouseInput::MouseInput(InputInjector& injector, DisplayLayout& layout, Clock& clock,
                       Profile& profile)
    : m_injector(injector), m_layout(layout), m_clock(clock), m_profile(profile) {}

void MouseInput::MoveMouseTo(int32_t x, int32_t y) {
    const Rect screen = m_layout.VirtualScreen();
    MouseEvent event;
    event.dx = Normalise(x, screen.left, screen.Width());
    event.dy = Normalise(y, screen.top, screen.Height());
    event.flags = mouse_flags::kAbsoluteMove;
    event.time = static_cast<uint32_t>(m_clock.TickMs());
    event.extraInfo = m_injector.MessageExtraInfo();
    m_injector.Inject(event);
}

void MouseInput::Click(MouseButton button) {
    Button(button, true);
    const int32_t hold = DrawHoldTimeMs(m_profile.Get(keys::kClickTimeDelayMin),
                                        m_profile.Get(keys::kClickTimeDelayMax));
    if (hold > 0) {
        m_clock.SleepMs(static_cast<uint32_t>(hold));
    }
    Button(button, false);
}

void MouseInput::Button(MouseButton button, bool down) {
    MouseEvent event;
    event.extraInfo = kClickExtraInfo;
    switch (button) {
        case MouseButton::kLeft:
            event.flags = down ? mouse_flags::kLeftDown : mouse_flags::kLeftUp;
            break;
        case MouseButton::kRight:
            event.flags = down ? mouse_flags::kRightDown : mouse_flags::kRightUp;
            break;
        case MouseButton::kMiddle:
            event.flags = down ? mouse_flags::kMiddleDown : mouse_flags::kMiddleUp;
            break;
    }
    m_injector.Inject(event);
}

void MouseInput::Wheel(int32_t steps, bool horizontal) {
    MouseEvent event;
    event.flags = horizontal ? mouse_flags::kHorizontalWheel : mouse_flags::kWheel;
    event.mouseData = static_cast<uint32_t>(int64_t(steps) * kWheelDelta);
    event.extraInfo = kClickExtraInfo;
    m_injector.Inject(event);
}

void MouseInput::MoveTo(Point screen) {
    MoveMouseTo(screen.x, screen.y);
}

int32_t MouseInput::Normalise(int32_t coordinate, int32_t origin, int32_t extent) {
    // A one-pixel side has nothing to scale; its only pixel is 0.
    if (extent <= 1) {
        return 0;
    }
    const double scale = double(kNormalisedMax) / double(extent - 1);
    const double distance = double(int64_t(coordinate) + std::abs(int64_t(origin)));
    const int64_t rounded = std::llround(distance * scale);
    return static_cast<int32_t>(rounded < 0 ? -rounded : rounded);
}

int32_t MouseInput::NormalisedToPixel(int32_t normalised, int32_t origin, int32_t extent) {
    if (extent <= 1) {
        return origin;
    }
    // round(n * (extent - 1) / 65535) in integers; the odd divisor rules out ties.
    const int64_t last = int64_t(extent) - 1;
    int64_t offset = (2 * int64_t(normalised) * last + kNormalisedMax) / (2 * kNormalisedMax);
    offset = std::clamp<int64_t>(offset, 0, last);
    return static_cast<int32_t>(int64_t(origin) + offset);
}

int32_t MouseInput::DrawHoldTimeMs(int32_t min, int32_t max) {
    if (min >= max) {
        return min;
    }
    std::random_device device;
    std::mt19937 engine(device());
    return std::uniform_int_distribution<int32_t>(min, max)(engine);
}

}  // namespace qrv
