#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/desktop_platform.h"
#include "platform_test_support.h"

namespace qrv {
namespace {

using test::ScopedEnv;

// The services every platform has, whether or not it reaches its session.
void ExpectSessionlessServices(const DesktopPlatform& p) {
    EXPECT_NE(p.profile, nullptr);
    EXPECT_NE(p.folders, nullptr);
    EXPECT_NE(p.codec, nullptr);
    EXPECT_NE(p.imageWriter, nullptr);
    EXPECT_NE(p.shell, nullptr);
    EXPECT_NE(p.voices, nullptr);
    EXPECT_NE(p.toggles, nullptr);
}

TEST(DesktopPlatformTest, ChoosesTheBackendOfTheSessionOrTheOneNamed) {
    QRV_SKIP_WITHOUT_DESKTOP();
    test::EnsureQtApp();
    const std::string display = std::getenv("DISPLAY");
    // Without any session the first configured backend opens, without its live services.
    const std::string first = ConfiguredBackends().substr(0, ConfiguredBackends().find(','));
    struct Case {
        const char* what;
        const char* wanted;  // QRV_PLATFORM
        const char* display;
        bool session;
        std::string backend;
    };
    const std::vector<Case> cases{
        {"the session's own", nullptr, display.c_str(), true, "x11"},
        {"named", "x11", display.c_str(), true, "x11"},
        {"unknown name: the session's", "nonesuch", display.c_str(), true, "x11"},
        {"empty name: the session's", "", display.c_str(), true, "x11"},
        {"no session", nullptr, nullptr, false, first},
        {"named without its session", "x11", nullptr, false, "x11"},
    };
    // An X session only, whatever the session running the tests.
    ScopedEnv noWayland("WAYLAND_DISPLAY", nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedEnv wanted("QRV_PLATFORM", c.wanted);
        ScopedEnv session("DISPLAY", c.display);
        std::unique_ptr<DesktopPlatform> p = OpenDesktopPlatform();
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->name, c.backend);
        ExpectSessionlessServices(*p);
        EXPECT_EQ(p->HasSession(), c.session);
        // The live services come all together or not at all.
        for (bool present : {p->input != nullptr, p->layout != nullptr, p->windows != nullptr,
                             p->activator != nullptr, p->hotKeys != nullptr}) {
            EXPECT_EQ(present, c.session);
        }
        EXPECT_NE(p->beeper, nullptr);
        EXPECT_TRUE(p->openTree);
        EXPECT_NE(p->nameChanges, nullptr);
        EXPECT_NE(p->accessibility, nullptr);
    }
}

// Opened for files, a platform makes no connection to the session.
TEST(DesktopPlatformTest, FilesReachLeavesTheSessionAlone) {
    QRV_SKIP_WITHOUT_DESKTOP();
    test::EnsureQtApp();
    std::unique_ptr<DesktopPlatform> p = OpenDesktopPlatform(PlatformReach::kFiles);
    ExpectSessionlessServices(*p);
    EXPECT_FALSE(p->HasSession());
    EXPECT_EQ(p->beeper, nullptr);
    EXPECT_EQ(p->hotKeys, nullptr);
}

}  // namespace
}  // namespace qrv
