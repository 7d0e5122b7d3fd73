#include <gtest/gtest.h>

#include "platform_test_support.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <optional>

#include "platform/x11/x_top_level_windows.h"
#include "platform/x11/x_window_activator.h"
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
    EXPECT_TRUE(listed->enabled);
    ASSERT_TRUE(listed->clientRect && listed->frameRect);
    EXPECT_EQ(listed->clientRect->Width(), 300);
    EXPECT_EQ(listed->clientRect->Height(), 200);
    EXPECT_LE(listed->frameRect->left, listed->clientRect->left);
    EXPECT_LE(listed->frameRect->top, listed->clientRect->top);
    EXPECT_GE(listed->frameRect->right, listed->clientRect->right);
    EXPECT_GE(listed->frameRect->bottom, listed->clientRect->bottom);
    if (!m_client.ManagerRunning()) {
        EXPECT_EQ(listed->clientRect, (Rect{200, 100, 500, 300}));
        EXPECT_EQ(listed->frameRect, listed->clientRect);
    }

    // Without _NET_WM_NAME the title is WM_NAME, Latin-1 unless typed UTF-8.
    Display* display = m_client.Get();
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    struct Case {
        std::string bytes;
        Atom type;
        std::string title;
    };
    const Case cases[] = {
        {"Caf\xe9 \xa9 \xff", XA_STRING, "Caf\u00e9 \u00a9 \u00ff"},
        {"Plain", XA_STRING, "Plain"},
        {"Caf\u00e9", utf8, "Caf\u00e9"},
    };
    XDeleteProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        XChangeProperty(display, window, XA_WM_NAME, c.type, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(c.bytes.data()),
                        int(c.bytes.size()));
        XSync(display, False);
        std::optional<TopLevelWindow> shown;
        EXPECT_TRUE(WaitUntil([&] { return (shown = Find(window)) && shown->title == c.title; }))
            << (shown ? shown->title : "not listed");
    }

    // A minimised window is still there for the user: listed and visible.
    if (m_client.ManagerRunning()) {
        XIconifyWindow(display, window, DefaultScreen(display));
        XSync(display, False);
        EXPECT_TRUE(WaitUntil([&] {
            std::optional<TopLevelWindow> w = Find(window);
            return w && w->minimized && w->visible && w->enabled;
        }));
    }
    XWithdrawWindow(display, window, DefaultScreen(display));
    XSync(display, False);
    EXPECT_TRUE(WaitUntil([&] { return !Find(window).has_value(); }));
    m_client.Destroy(window);
}

// A window on another workspace is hidden by the window manager but visible
// in the desktop's sense; without workspaces there is nothing to test.
TEST_F(XTopLevelWindowsTest, WindowOnAnotherWorkspaceIsVisible) {
    Display* display = m_client.Get();
    const std::optional<long> desktops = m_client.RootLong("_NET_NUMBER_OF_DESKTOPS", XA_CARDINAL);
    if (!m_client.ManagerRunning() || desktops.value_or(0) < 2) {
        GTEST_SKIP() << "no window manager with two workspaces";
    }
    Window window = m_client.CreateWindow(250, 150, 200, 120, false, "Elsewhere");
    ASSERT_TRUE(WaitListed(window));
    const long other =
        (m_client.RootLong("_NET_CURRENT_DESKTOP", XA_CARDINAL).value_or(0) + 1) % *desktops;
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = XInternAtom(display, "_NET_WM_DESKTOP", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = other;
    message.xclient.data.l[1] = 2;  // from a pager: the user asked for it
    XSendEvent(display, m_client.Root(), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &message);
    XSync(display, False);
    ASSERT_TRUE(WaitUntil([&] {
        XWindowAttributes attributes;
        XGetWindowAttributes(display, window, &attributes);
        return attributes.map_state != IsViewable;
    })) << "the window manager did not move the window away";
    std::optional<TopLevelWindow> listed = Find(window);
    ASSERT_TRUE(listed);
    EXPECT_TRUE(listed->visible);
    EXPECT_TRUE(listed->enabled);
    EXPECT_FALSE(listed->minimized);
    m_client.Destroy(window);
}

// An owner is disabled while it shows a modal dialog, not by a plain
// transient or a dialog modal for no window in particular.
TEST_F(XTopLevelWindowsTest, OwnerOfAModalDialogIsNotEnabled) {
    Display* display = m_client.Get();
    const Window owner = m_client.CreateWindow(100, 400, 300, 200, false, "Owner");
    const Window bystander = m_client.CreateWindow(500, 400, 200, 200, false, "Bystander");
    ASSERT_TRUE(WaitListed(owner) && WaitListed(bystander));
    const auto dialog = [&](Window transientFor, bool modal) {
        return m_client.CreateWindow(150, 450, 100, 80, false, "Dialog", 0, [&](Window w) {
            XSetTransientForHint(display, w, transientFor);
            if (modal) {
                Atom state = XInternAtom(display, "_NET_WM_STATE_MODAL", False);
                XChangeProperty(display, w, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM,
                                32, PropModeReplace, reinterpret_cast<unsigned char*>(&state), 1);
            }
        });
    };
    const auto enabled = [&](Window w) {
        std::optional<TopLevelWindow> listed = Find(w);
        return listed && listed->enabled;
    };
    struct Case {
        const char* what;
        Window transientFor;
        bool modal;
        bool ownerEnabled;
    };
    const Case cases[] = {
        {"modal", owner, true, false},
        {"modeless", owner, false, true},
        {"modal for the group", m_client.Root(), true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Window shown = dialog(c.transientFor, c.modal);
        ASSERT_TRUE(WaitListed(shown));
        EXPECT_TRUE(WaitUntil([&] { return enabled(owner) == c.ownerEnabled; }));
        EXPECT_TRUE(enabled(bystander));
        EXPECT_TRUE(enabled(shown));
        m_client.Destroy(shown);
        EXPECT_TRUE(WaitUntil([&] { return enabled(owner); }));
    }
    m_client.Destroy(owner);
    m_client.Destroy(bystander);
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
