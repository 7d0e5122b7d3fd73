#include "platform/x11/x_input_injector.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <array>
#include <cstdlib>

#include "core/search/mouse_input.h"
#include "platform/x11/x_desktop_geometry_watch.h"
#include "platform/x11/x_display.h"

namespace qrv {
namespace {

struct ButtonFlag {
    uint32_t flag;
    unsigned int button;
    bool press;
};

// Button flags of the event record and the X buttons they press or release.
constexpr std::array<ButtonFlag, 6> kButtonFlags{{
    {mouse_flags::kLeftDown, Button1, true},
    {mouse_flags::kLeftUp, Button1, false},
    {mouse_flags::kRightDown, Button3, true},
    {mouse_flags::kRightUp, Button3, false},
    {mouse_flags::kMiddleDown, Button2, true},
    {mouse_flags::kMiddleUp, Button2, false},
}};

struct WheelAxis {
    uint32_t flag;
    unsigned int positive;  // the button of a step with a positive delta
    unsigned int negative;
};

// X turns each wheel step into a click of its own button: 4 up, 5 down,
// 6 left, 7 right.
constexpr std::array<WheelAxis, 2> kWheelAxes{{
    {mouse_flags::kWheel, Button4, Button5},
    {mouse_flags::kHorizontalWheel, 7, 6},
}};

void ClickWheel(Display* display, const WheelAxis& axis, int32_t steps) {
    const unsigned int button = steps > 0 ? axis.positive : axis.negative;
    for (int32_t i = 0; i < std::abs(steps); ++i) {
        XTestFakeButtonEvent(display, button, True, CurrentTime);
        XTestFakeButtonEvent(display, button, False, CurrentTime);
    }
}

}  // namespace

XInputInjector::XInputInjector(const std::string& displayName)
    : m_display(XDisplay::Open(displayName)) {
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (m_display &&
        !XTestQueryExtension(m_display->Get(), &eventBase, &errorBase, &major, &minor)) {
        m_display.reset();
    }
    if (m_display) {
        m_geometry = std::make_unique<XDesktopGeometryWatch>(m_display->Get());
    }
}

XInputInjector::~XInputInjector() = default;

void XInputInjector::Inject(const MouseEvent& event) {
    if (!m_display) {
        return;
    }
    std::lock_guard lock(m_mutex);
    if (event.flags & mouse_flags::kMove) {
        InjectMove(event);
    }
    for (const ButtonFlag& b : kButtonFlags) {
        if (event.flags & b.flag) {
            XTestFakeButtonEvent(m_display->Get(), b.button, b.press, CurrentTime);
        }
    }
    for (const WheelAxis& axis : kWheelAxes) {
        if (event.flags & axis.flag) {
            ClickWheel(m_display->Get(), axis, int32_t(event.mouseData) / kWheelDelta);
        }
    }
    XFlush(m_display->Get());
}

// Absolute moves address the whole virtual screen, or the primary monitor
// without the virtual desk flag; relative moves are in pixels.
void XInputInjector::InjectMove(const MouseEvent& event) {
    Display* display = m_display->Get();
    if (!(event.flags & mouse_flags::kAbsolute)) {
        XTestFakeRelativeMotionEvent(display, event.dx, event.dy, CurrentTime);
        return;
    }
    const XDesktopGeometry& geometry = m_geometry->Current();
    Rect target = (event.flags & mouse_flags::kVirtualDesk) ? geometry.VirtualScreen()
                                                            : geometry.Monitors().front();
    int32_t x = MouseInput::NormalisedToPixel(event.dx, target.left, target.Width());
    int32_t y = MouseInput::NormalisedToPixel(event.dy, target.top, target.Height());
    Point origin = geometry.Origin();
    XTestFakeMotionEvent(display, m_display->ScreenNumber(), x + origin.x, y + origin.y,
                         CurrentTime);
}

std::optional<Point> XInputInjector::CursorPos() {
    if (!m_display) {
        return {};
    }
    std::lock_guard lock(m_mutex);
    Display* display = m_display->Get();
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int winX = 0;
    int winY = 0;
    unsigned int mask = 0;
    XQueryPointer(display, m_display->Root(), &root, &child, &rootX, &rootY, &winX, &winY, &mask);
    Point origin = m_geometry->Current().Origin();
    return Point{rootX - origin.x, rootY - origin.y};
}

void XInputInjector::SetCursorPos(Point p) {
    if (!m_display) {
        return;
    }
    std::lock_guard lock(m_mutex);
    Display* display = m_display->Get();
    Point origin = m_geometry->Current().Origin();
    XWarpPointer(display, None, m_display->Root(), 0, 0, 0, 0, p.x + origin.x, p.y + origin.y);
    // The pointer is in place when this returns, for every client.
    XSync(display, False);
}

}  // namespace qrv
