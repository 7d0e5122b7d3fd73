#include "platform/x11/x_input_injector.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <array>

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
    {0x0008, Button3, true},   // right down
    {0x0010, Button3, false},  // right up
    {0x0020, Button2, true},   // middle down
    {0x0040, Button2, false},  // middle up
}};

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
