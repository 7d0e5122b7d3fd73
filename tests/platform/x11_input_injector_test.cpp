#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/desktop/mouse_event.h"
#include "core/search/mouse_input.h"
#include "platform/x11/x_handles.h"
#include "platform/x11/x_input_injector.h"
#include "platform/x11/x_keyboard_injector.h"
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
        ASSERT_TRUE(m_keyboard.Connected());
    }
    // Where the test's own connection sees the pointer, in screen coordinates.
    Point PointerSeen() {
        const Point p = m_client.PointerOnRoot();
        return {p.x - kOriginX, p.y};
    }

    test::XTestClient m_client;
    XInputInjector m_injector;
    XKeyboardInjector m_keyboard;
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

// The whole core keyboard mapping, as any client reads it.
std::vector<KeySym> KeyboardMapping(Display* display) {
    int first = 0, last = 0, width = 0;
    XDisplayKeycodes(display, &first, &last);
    const XPtr<KeySym> syms(XGetKeyboardMapping(display, KeyCode(first), last - first + 1, &width));
    return {syms.get(), syms.get() + (last - first + 1) * width};
}

// A typed character carries exactly the modifiers it needs, whatever this
// program holds down or the user has locked.
TEST_F(XInputInjectorTest, TypedKeysCarryOnlyTheModifiersTheCharacterNeeds) {
    struct Case {
        KeySym held;
        bool locks;  // pressed and released before typing, and again after
        char32_t typed;
        KeySym key;  // the key expected, by its unshifted symbol
        unsigned mods;
    };
    const Case cases[] = {
        {XK_Control_L, false, U'A', XK_a, ShiftMask}, {XK_Shift_L, false, U'a', XK_a, 0},
        {XK_Shift_R, false, U'!', XK_1, ShiftMask},   {XK_Caps_Lock, true, U'a', XK_a, ShiftMask},
        {XK_Caps_Lock, true, U'1', XK_1, 0},
    };
    Window window = m_client.CreateWindow(kOriginX + 100, 200, 50, 40, true, {}, KeyPressMask);
    XSetInputFocus(m_client.Get(), window, RevertToPointerRoot, CurrentTime);
    XSync(m_client.Get(), False);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "U+" << std::hex << unsigned(c.typed) << " with " << c.held);
        m_keyboard.Key(c.held, true);
        if (c.locks)
            m_keyboard.Key(c.held, false);
        m_keyboard.Type(c.typed);
        if (c.locks)
            m_keyboard.Key(c.held, true);
        m_keyboard.Key(c.held, false);
        const unsigned key = XKeysymToKeycode(m_client.Get(), c.key);
        XEvent event;
        bool seen = false;
        while (!seen && m_client.NextEvent(window, KeyPress, event))
            seen = event.xkey.keycode == key;
        ASSERT_TRUE(seen);
        EXPECT_EQ(event.xkey.state & (ShiftMask | ControlMask), c.mods);
    }
    XSetInputFocus(m_client.Get(), PointerRoot, RevertToPointerRoot, CurrentTime);
    m_client.Destroy(window);
}

// A symbol the layout lacks is typed, or held, on a borrowed key; every key
// is given back after use, also when the injector goes with a key held.
TEST_F(XInputInjectorTest, BorrowedKeysAreGivenBack) {
    const std::vector<KeySym> before = KeyboardMapping(m_client.Get());
    const KeySym omega = 0x10003a9;
    m_keyboard.Type(U'Ω');
    EXPECT_EQ(KeyboardMapping(m_client.Get()), before);
    m_keyboard.Key(omega, true);
    const std::vector<KeySym> held = KeyboardMapping(m_client.Get());
    EXPECT_GT(std::count(held.begin(), held.end(), omega), 0);
    m_keyboard.Key(omega, false);
    EXPECT_EQ(KeyboardMapping(m_client.Get()), before);
    XKeyboardInjector(std::string()).Key(omega, true);
    EXPECT_EQ(KeyboardMapping(m_client.Get()), before);
}

}  // namespace
}  // namespace qrv
