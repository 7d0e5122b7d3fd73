#include <gtest/gtest.h>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "x11/x_beeper.h"
#include "x11/x_top_level_windows.h"
#include "x11/x_window_activator.h"
#include "x11_test_client.h"

namespace qrv {
namespace {

class XTopLevelWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) {
            GTEST_SKIP() << "no X display";
        }
        ASSERT_TRUE(m_windows.Connected());
    }
    std::optional<TopLevelWindow> Find(Window window) {
        for (const TopLevelWindow& w : m_windows.Enumerate()) {
            if (w.id == window) {
                return w;
            }
        }
        return std::nullopt;
    }
    // The window as listed once the window manager (if any) has taken it in.
    std::optional<TopLevelWindow> WaitListed(Window window) {
        std::optional<TopLevelWindow> found;
        test::XTestClient::WaitUntil([&] { return (found = Find(window)).has_value(); });
        return found;
    }
    unsigned long ActiveWindow() {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(m_client.Get(), m_client.Root(),
                           XInternAtom(m_client.Get(), "_NET_ACTIVE_WINDOW", False), 0, 1, False,
                           XA_WINDOW, &type, &format, &count, &remaining, &data);
        unsigned long active = count == 1 ? *reinterpret_cast<unsigned long*>(data) : 0;
        if (data) {
            XFree(data);
        }
        return active;
    }

    test::XTestClient m_client;
    XTopLevelWindows m_windows;
};

TEST_F(XTopLevelWindowsTest, ListsATitledWindowWithItsProcessUntilItIsWithdrawn) {
    Window window = m_client.CreateWindow(200, 100, 300, 200, false, "Listed window \u00e9");
    std::optional<TopLevelWindow> listed = WaitListed(window);
    ASSERT_TRUE(listed.has_value());
    EXPECT_EQ(listed->title, "Listed window \u00e9");
    EXPECT_EQ(listed->processId, int64_t(getpid()));
    EXPECT_TRUE(listed->visible);
    EXPECT_FALSE(listed->minimized);
    EXPECT_FALSE(listed->maximized);

    if (m_client.ManagerRunning()) {
        XIconifyWindow(m_client.Get(), window, DefaultScreen(m_client.Get()));
        XSync(m_client.Get(), False);
        EXPECT_TRUE(test::XTestClient::WaitUntil([&] {
            std::optional<TopLevelWindow> w = Find(window);
            return w && w->minimized && !w->visible;
        }));
    }
    XWithdrawWindow(m_client.Get(), window, DefaultScreen(m_client.Get()));
    XSync(m_client.Get(), False);
    EXPECT_TRUE(test::XTestClient::WaitUntil([&] { return !Find(window).has_value(); }));
    XDestroyWindow(m_client.Get(), window);
    XSync(m_client.Get(), False);
}

TEST_F(XTopLevelWindowsTest, ActivatorBringsTheWindowToTheFront) {
    Window first = m_client.CreateWindow(300, 300, 200, 150, false, "First");
    Window second = m_client.CreateWindow(350, 350, 200, 150, false, "Second");
    ASSERT_TRUE(WaitListed(first) && WaitListed(second));
    XWindowActivator activator;
    ASSERT_TRUE(activator.Connected());
    bool managed = m_client.ManagerRunning();
    for (Window target : {first, second, first}) {
        activator.Activate(target);
        EXPECT_TRUE(test::XTestClient::WaitUntil([&] {
            if (managed) {
                return ActiveWindow() == target;
            }
            Window focus = 0;
            int revert = 0;
            XGetInputFocus(m_client.Get(), &focus, &revert);
            return focus == target;
        }));
    }
    activator.Activate(0x7FFFFFF);  // no such window: ignored
    XDestroyWindow(m_client.Get(), first);
    XDestroyWindow(m_client.Get(), second);
    XSync(m_client.Get(), False);
}

TEST_F(XTopLevelWindowsTest, BeeperRingsTheBell) {
    int opcode = 0;
    int eventBase = 0;
    int errorBase = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    ASSERT_TRUE(XkbQueryExtension(m_client.Get(), &opcode, &eventBase, &errorBase, &major, &minor));
    XkbSelectEvents(m_client.Get(), XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    XSync(m_client.Get(), False);
    XBeeper beeper;
    ASSERT_TRUE(beeper.Connected());
    beeper.Beep(BeepKind::Error);
    beeper.Beep(BeepKind::Simple);
    int bells = 0;
    test::XTestClient::WaitUntil([&] {
        while (XPending(m_client.Get())) {
            XEvent event;
            XNextEvent(m_client.Get(), &event);
            bool bell = event.type == eventBase &&
                        reinterpret_cast<XkbEvent*>(&event)->any.xkb_type == XkbBellNotify;
            bells += bell ? 1 : 0;
        }
        return bells >= 2;
    });
    EXPECT_EQ(bells, 2);
}

}  // namespace
}  // namespace qrv
