#include "platform/wayland/wayland_input_injector.h"

#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <array>
#include <chrono>
#include <cmath>

#include "core/search/mouse_input.h"
#include "platform/wayland_client/wayland_display.h"
#include "wayland/wlr-virtual-pointer-unstable-v1-client.h"

namespace qrv {
namespace {

struct ButtonFlag {
    uint32_t flag;
    uint32_t button;
    bool press;
};

// Button flags of the event record and the evdev buttons they press or release.
constexpr std::array<ButtonFlag, 6> kButtonFlags{{
    {mouse_flags::kLeftDown, BTN_LEFT, true},
    {mouse_flags::kLeftUp, BTN_LEFT, false},
    {mouse_flags::kRightDown, BTN_RIGHT, true},
    {mouse_flags::kRightUp, BTN_RIGHT, false},
    {mouse_flags::kMiddleDown, BTN_MIDDLE, true},
    {mouse_flags::kMiddleUp, BTN_MIDDLE, false},
}};

// The length of one wheel step on an axis, as wheel mice report it.
constexpr double kAxisPerStep = 15;

// Sub-pixel steps of an absolute motion, so that positions on scaled outputs
// land where they should.
constexpr double kSteps = 64;

uint32_t NowMs() {
    return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count());
}

}  // namespace

WaylandInputInjector::WaylandInputInjector(const std::string& displayName)
    : m_display(WaylandDisplay::Open(displayName)) {
    if (!m_display) {
        return;
    }
    auto* manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
        m_display->Bind(zwlr_virtual_pointer_manager_v1_interface, 1));
    if (manager) {
        m_pointer =
            zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, m_display->Seat());
        zwlr_virtual_pointer_manager_v1_destroy(manager);
        m_display->Roundtrip();
    }
}

WaylandInputInjector::~WaylandInputInjector() {
    if (m_pointer) {
        zwlr_virtual_pointer_v1_destroy(m_pointer);
        m_display->Roundtrip();
    }
}

void WaylandInputInjector::Inject(const MouseEvent& event) {
    if (!m_pointer) {
        return;
    }
    std::lock_guard lock(m_mutex);
    m_display->DispatchArrived();
    const uint32_t time = NowMs();
    if (event.flags & mouse_flags::kMove) {
        if (event.flags & mouse_flags::kAbsolute) {
            const OutputLayout layout = m_display->Layout();
            const Rect target = (event.flags & mouse_flags::kVirtualDesk) ? layout.VirtualScreen()
                                : layout.Monitors().empty()               ? Rect{}
                                                            : layout.Monitors().front();
            MoveTo(Point{MouseInput::NormalisedToPixel(event.dx, target.left, target.Width()),
                         MouseInput::NormalisedToPixel(event.dy, target.top, target.Height())},
                   time);
        } else {
            zwlr_virtual_pointer_v1_motion(m_pointer, time, wl_fixed_from_int(event.dx),
                                           wl_fixed_from_int(event.dy));
            if (m_cursor) {
                m_cursor = Point{m_cursor->x + event.dx, m_cursor->y + event.dy};
            }
        }
    }
    for (const ButtonFlag& b : kButtonFlags) {
        if (event.flags & b.flag) {
            zwlr_virtual_pointer_v1_button(
                m_pointer, time, b.button,
                b.press ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
        }
    }
    if (event.flags & (mouse_flags::kWheel | mouse_flags::kHorizontalWheel)) {
        Scroll(event, time);
    }
    zwlr_virtual_pointer_v1_frame(m_pointer);
    m_display->Roundtrip();
}

// Wheel steps as a wheel mouse sends them. The vertical axis grows downwards,
// so a step away from the user (scrolling up) is a negative one.
void WaylandInputInjector::Scroll(const MouseEvent& event, uint32_t time) {
    const bool vertical = (event.flags & mouse_flags::kWheel) != 0;
    const int64_t turn = int32_t(event.mouseData);
    const int64_t delta = vertical ? -turn : turn;
    const uint32_t axis =
        vertical ? WL_POINTER_AXIS_VERTICAL_SCROLL : WL_POINTER_AXIS_HORIZONTAL_SCROLL;
    const wl_fixed_t value = wl_fixed_from_double(kAxisPerStep * delta / kWheelDelta);
    zwlr_virtual_pointer_v1_axis_source(m_pointer, WL_POINTER_AXIS_SOURCE_WHEEL);
    if (const int64_t steps = delta / kWheelDelta; steps != 0) {
        zwlr_virtual_pointer_v1_axis_discrete(m_pointer, time, axis, value, int32_t(steps));
    } else {
        zwlr_virtual_pointer_v1_axis(m_pointer, time, axis, value);
    }
}

// An absolute motion over the whole layout to the screen point; a point off
// every output is left alone, as the compositor would clamp it anyway.
void WaylandInputInjector::MoveTo(Point p, uint32_t time) {
    const OutputLayout layout = m_display->Layout();
    const std::optional<LogicalPoint> logical = layout.ToLogical(p);
    const Rect box = layout.LogicalBox();
    if (!logical || box.Width() <= 0 || box.Height() <= 0) {
        return;
    }
    zwlr_virtual_pointer_v1_motion_absolute(
        m_pointer, time, uint32_t(std::llround((logical->x - box.left) * kSteps)),
        uint32_t(std::llround((logical->y - box.top) * kSteps)), uint32_t(box.Width() * kSteps),
        uint32_t(box.Height() * kSteps));
    m_cursor = p;
}

std::optional<Point> WaylandInputInjector::CursorPos() {
    std::lock_guard lock(m_mutex);
    return m_cursor;
}

void WaylandInputInjector::SetCursorPos(Point p) {
    if (!m_pointer) {
        return;
    }
    std::lock_guard lock(m_mutex);
    m_display->DispatchArrived();
    MoveTo(p, NowMs());
    zwlr_virtual_pointer_v1_frame(m_pointer);
    m_display->Roundtrip();
}

}  // namespace qrv
