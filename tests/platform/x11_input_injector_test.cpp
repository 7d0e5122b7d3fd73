#include <gtest/gtest.h>

#include "core/desktop/mouse_event.h"
#include "core/search/mouse_input.h"
#include "platform/x11/x_input_injector.h"
#include "x11_test_client.h"

namespace qrv {
namespace {

// The virtual screen of the test session and the primary monitor's root origin.
constexpr Rect kVirtual{-1280, 0, 1920, 1080};
constexpr int kOriginX = 1280;

// The event a caller sends for an absolute move to screen point p.
MouseEvent MoveTo(Point p) {
    return {.dx = MouseInput::Normalise(p.x, kVirtual.left, kVirtual.Width()),
            .dy = MouseInput::Normalise(p.y, kVirtual.top, kVirtual.Height()),
            .flags = mouse_flags::kAbsoluteMove};
}

class XInputInjectorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QRV_SKIP_WITHOUT_DESKTOP();
        ASSERT_TRUE(m_injector.Connected());
    }
    // Where the test's own connection sees the pointer, in screen coordinates.
    Point PointerSeen() {
        const Point p = m_client.PointerOnRoot();
        return {p.x - kOriginX, p.y};
    }

    test::XTestClient m_client;
    XInputInjector m_injector;
};

// Absolute moves and direct placement reach the corners of both monitors and
// of the virtual screen, and land on every pixel of a row and a column; a click
// arrives where the cursor is.
TEST_F(XInputInjectorTest, MovesReachEveryPixelOfARowAndAColumnAndClicksArrive) {
    const Point corners[] = {
        {-1280, 0}, {-1, 0},   {-1280, 1023}, {-1, 1023},    {0, 0},
        {1919, 0},  {0, 1079}, {1919, 1079},  {-1280, 1079}, {-1000, 10},
    };
    for (Point p : corners) {
        m_injector.Inject(MoveTo(p));
        EXPECT_EQ(m_injector.CursorPos(), p);
        EXPECT_EQ(PointerSeen(), p);
        m_injector.SetCursorPos({p.x / 2, p.y / 2});
        EXPECT_EQ(PointerSeen(), (Point{p.x / 2, p.y / 2}));
    }
    for (int32_t x = kVirtual.left; x < kVirtual.right; ++x) {
        m_injector.Inject(MoveTo({x, 500}));
        ASSERT_EQ(m_injector.CursorPos(), (Point{x, 500}));
    }
    for (int32_t y = kVirtual.top; y < kVirtual.bottom; ++y) {
        m_injector.Inject(MoveTo({-7, y}));
        ASSERT_EQ(m_injector.CursorPos(), (Point{-7, y}));
    }

    // A left click arrives at the cursor, in a window at screen (100, 200).
    Window window = m_client.CreateWindow(kOriginX + 100, 200, 50, 40, true, {},
                                          ButtonPressMask | ButtonReleaseMask);
    m_injector.Inject(MoveTo({110, 215}));
    MouseEvent click{.flags = mouse_flags::kLeftDown, .extraInfo = kClickExtraInfo};
    m_injector.Inject(click);
    click.flags = mouse_flags::kLeftUp;
    m_injector.Inject(click);

    XEvent event;
    ASSERT_TRUE(m_client.NextEvent(window, ButtonPress, event));
    EXPECT_EQ(event.xbutton.button, unsigned(Button1));
    EXPECT_EQ(event.xbutton.x, 10);
    EXPECT_EQ(event.xbutton.y, 15);
    ASSERT_TRUE(m_client.NextEvent(window, ButtonRelease, event));
    EXPECT_EQ(event.xbutton.button, unsigned(Button1));
    m_client.Destroy(window);
}

}  // namespace
}  // namespace qrv
