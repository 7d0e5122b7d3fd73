#include "platform/portal/portal_session.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <cstdlib>
#include <optional>

#include "platform/desktop_platform.h"
#include "platform/freedesktop/bus_daemon.h"
#include "platform/freedesktop/session_bus.h"
#include "scripted_portal.h"

namespace qrv {
namespace {

// The desktop portal of tests/wayland/with-sway.sh --portal, once it is on the bus.
bool PortalRuns() {
    if (!std::getenv("WAYLAND_DISPLAY") || SessionBus::Connection() == nullptr) {
        return false;
    }
    const QDeadlineTimer deadline(20000);
    while (!BusDaemon::HasOwner("org.freedesktop.portal.Desktop")) {
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(50);
    }
    return true;
}

class PortalSessionTest : public testing::Test {
  protected:
    void SetUp() override {
        if (!PortalRuns()) {
            GTEST_SKIP() << "needs the desktop portal (tests/wayland/with-sway.sh --portal)";
        }
    }
};

// Under the headless sway the wlroots portal answers CreateSession and
// SelectSources; Start fails because screencopy there offers no DMA-BUF
// buffers (see the README). The exchange is checked as far as it goes: when a
// compositor lets it start, the session must hand out a stream.
TEST_F(PortalSessionTest, ScreenCastRunsUpToStart) {
    PortalSession session(PortalSession::Kind::ScreenCast);
    if (session.Open({}, 20000)) {
        ASSERT_FALSE(session.Streams().empty());
        EXPECT_NE(session.Streams().front().nodeId, 0u);
        EXPECT_GE(session.OpenPipeWireRemote(), 0);
        return;
    }
    EXPECT_EQ(session.FailedStep(), "Start");
    EXPECT_EQ(session.FailedCode(), 2u);  // failed, not cancelled and not silent
    EXPECT_TRUE(session.Streams().empty());
}

// No wlroots portal backend offers RemoteDesktop: the first call is refused.
TEST_F(PortalSessionTest, RemoteDesktopIsRefusedWhereNoBackendOffersIt) {
    PortalSession session(PortalSession::Kind::RemoteDesktop);
    EXPECT_FALSE(session.Open({}, 20000));
    EXPECT_EQ(session.FailedStep(), "CreateSession");
    EXPECT_EQ(session.FailedCode(), 0u);
    EXPECT_EQ(session.OpenPipeWireRemote(), -1);
}

class ScriptedPortalSessionTest : public testing::Test {
  protected:
    void SetUp() override {
        if (!std::getenv("WAYLAND_DISPLAY") || !ScriptedPortal::BusIsFree()) {
            GTEST_SKIP() << "needs a Wayland session bus without a desktop portal";
        }
    }

    ScriptedPortal m_portal;
};

// Streams keep the position the portal gives; KDE's come without one. Sizes
// that are no monitor's leave the stream out.
TEST_F(ScriptedPortalSessionTest, ReadsTheStreamsAsThePortalDescribesThem) {
    ASSERT_TRUE(m_portal.Start({}, {"7:-100,5,100,50", "8:640,480", "9:0,0", "10:-1,-1,-4,8"}));
    PortalSession session(PortalSession::Kind::RemoteDesktop);
    ASSERT_TRUE(session.Open({}, 20000));
    ASSERT_EQ(session.Streams().size(), 2u);
    EXPECT_EQ(session.Streams()[0].nodeId, 7u);
    EXPECT_EQ(session.Streams()[0].geometry, (StreamGeometry{Point{-100, 5}, 100, 50}));
    EXPECT_EQ(session.Streams()[1].nodeId, 8u);
    EXPECT_EQ(session.Streams()[1].geometry, (StreamGeometry{std::nullopt, 640, 480}));
}

// A consent the user declined or cancelled (code 1), at whatever step, is told
// apart from a portal that failed (code 2); neither stores anything.
TEST_F(ScriptedPortalSessionTest, ADeclinedConsentIsToldApartAndStoresNothing) {
    const struct {
        const char* answer;
        const char* step;
        SessionFailure failure;
    } cases[] = {
        {"Start=1", "Start", SessionFailure::kDeclined},
        {"SelectDevices=1", "SelectDevices", SessionFailure::kDeclined},
        {"Start=2", "Start", SessionFailure::kUnreachable},
    };
    qputenv("QRV_PLATFORM", "portal");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        ASSERT_TRUE(m_portal.Start({"--answer", c.answer}, {"7:0,0,100,50"}));
        {
            PortalSession session(PortalSession::Kind::RemoteDesktop);
            EXPECT_FALSE(session.Open({}, 20000));
            EXPECT_EQ(session.FailedStep(), c.step);
            EXPECT_EQ(session.Declined(), c.failure == SessionFailure::kDeclined);
        }
        {
            std::unique_ptr<DesktopPlatform> platform = OpenDesktopPlatform();
            EXPECT_FALSE(platform->HasSession());
            EXPECT_EQ(platform->sessionFailure, c.failure);
            EXPECT_EQ(platform->profile->GetString("Settings", "PortalRestoreToken", "none"),
                      "none");
        }
        m_portal.Stop();
    }
    qunsetenv("QRV_PLATFORM");
}

}  // namespace
}  // namespace qrv
