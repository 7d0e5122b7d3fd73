#include <gtest/gtest.h>

#include "platform_test_support.h"

#include <unistd.h>

#include <optional>

#include "x11/x_top_level_windows.h"
#include "x11/x_window_activator.h"
#include "x11_test_client.h"

namespace qrv {
namespace {

using test::WaitUntil;

class XTopLevelWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QRV_SKIP_WITHOUT_DESKTOP();
        ASSERT_TRUE(m_windows.Connected());
    }
    std::optional<TopLevelWindow> Find(Window window) {
        for (const TopLevelWindow& w : m_windows.Enumerate()) {
            if (w.id == window)
                return w;
        }
        return std::nullopt;
    }
    // The window as listed once the window manager (if any) has taken it in.
    std::optional<TopLevelWindow> WaitListed(Window window) {
        std::optional<TopLevelWindow> found;
        WaitUntil([&] { return (found = Find(window)).has_value(); });
        return found;
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

    Display* display = m_client.Get();
    if (m_client.ManagerRunning()) {
        XIconifyWindow(display, window, DefaultScreen(display));
        XSync(display, False);
        EXPECT_TRUE(WaitUntil([&] {
            std::optional<TopLevelWindow> w = Find(window);
            return w && w->minimized && !w->visible;
        }));
    }
    XWithdrawWindow(display, window, DefaultScreen(display));
    XSync(display, False);
    EXPECT_TRUE(WaitUntil([&] { return !Find(window).has_value(); }));
    m_client.Destroy(window);
}

TEST_F(XTopLevelWindowsTest, ActivatorBringsTheWindowToTheFront) {
    Window first = m_client.CreateWindow(300, 300, 200, 150, false, "First");
    Window second = m_client.CreateWindow(350, 350, 200, 150, false, "Second");
    ASSERT_TRUE(WaitListed(first) && WaitListed(second));
    XWindowActivator activator;
    ASSERT_TRUE(activator.Connected());
    const bool managed = m_client.ManagerRunning();
    for (Window target : {first, second, first}) {
        activator.Activate(target);
        EXPECT_TRUE(WaitUntil([&] {
            Window focus = 0;
            int revert = 0;
            XGetInputFocus(m_client.Get(), &focus, &revert);
            return (managed ? m_client.RootWindowProperty("_NET_ACTIVE_WINDOW") : focus) == target;
        }));
    }
    activator.Activate(0x7FFFFFF);  // no such window: ignored
    m_client.Destroy(first);
    m_client.Destroy(second);
}

}  // namespace
}  // namespace qrv
