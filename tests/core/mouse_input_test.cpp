#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/search/mouse_input.h"
#include "core/settings/memory_profile_store.h"
#include "fakes/action_log.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_display_layout.h"
#include "fakes/fake_top_level_windows.h"
#include "fakes/recording_input_injector.h"

namespace qrv {
namespace {

TEST(MouseInputTest, NormalisesOverTheVirtualScreen) {
    struct Case {
        int32_t coordinate, origin, extent, expected;
    } cases[] = {
        {0, 0, 1920, 0},
        {1919, 0, 1920, 65535},
        {960, 0, 1920, 32785},
        {0, 0, 1080, 0},
        {1079, 0, 1080, 65535},
        {540, 0, 1080, 32798},
        {-1280, -1280, 3200, 0},
        {0, -1280, 3200, 26222},
        {1919, -1280, 3200, 65535},
        {-1281, -1280, 3200, 20},  // left of the screen: mirrored
        {5, 0, 1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MouseInput::Normalise(c.coordinate, c.origin, c.extent), c.expected)
            << c.coordinate << " over " << c.origin << "+" << c.extent;
    }
}

TEST(MouseInputTest, EveryPixelSurvivesTheRoundTrip) {
    std::vector<int32_t> extents;
    for (int32_t e = 2; e <= 2100; ++e) {
        extents.push_back(e);
    }
    for (int32_t e : {3199, 3200, 7680, 32767, 32768, 40000, 65535, 65536}) {
        extents.push_back(e);
    }
    for (int32_t extent : extents) {
        for (int32_t origin : {0, -1280}) {
            for (int32_t d = 0; d < extent; ++d) {
                const int32_t n = MouseInput::Normalise(origin + d, origin, extent);
                ASSERT_GE(n, 0);
                ASSERT_LE(n, 65535);
                ASSERT_EQ(MouseInput::NormalisedToPixel(n, origin, extent), origin + d)
                    << "extent " << extent << " pixel " << d;
            }
        }
    }
}

TEST(MouseInputTest, HoldTimeStaysWithinBoundsAndReachesBothEnds) {
    std::set<int32_t> seen;
    for (int i = 0; i < 5000; ++i) {
        const int32_t d = MouseInput::DrawHoldTimeMs(100, 200);
        ASSERT_GE(d, 100);
        ASSERT_LE(d, 200);
        seen.insert(d);
    }
    EXPECT_TRUE(seen.count(100) && seen.count(200));
    EXPECT_GT(seen.size(), 90u);
    EXPECT_EQ(MouseInput::DrawHoldTimeMs(250, 50), 250);
    EXPECT_EQ(MouseInput::DrawHoldTimeMs(70, 70), 70);
}

struct MouseFixture : ::testing::Test {
    ActionLog log;
    RecordingInputInjector injector{&log};
    FakeDisplayLayout layout;
    FakeClock clock{&log};
    MemoryProfileStore store;
    FakeTopLevelWindows windows;
    Profile profile{store, windows};
    MouseInput mouse{injector, layout, clock, profile};
};

TEST_F(MouseFixture, MoveInjectsOneAbsoluteEvent) {
    layout.SetMonitors({{-1280, 0, 0, 1024}, {0, 0, 1920, 1080}});
    injector.SetVirtualScreen(layout.VirtualScreen());
    injector.SetExtraInfo(0xABCDEF);
    clock.Advance(1234);
    mouse.MoveMouseTo(0, 1079);
    ASSERT_EQ(injector.Events().size(), 1u);
    const MouseEvent e = injector.Events()[0];
    EXPECT_EQ(e.type, 0u);
    EXPECT_EQ(e.dx, 26222);
    EXPECT_EQ(e.dy, 65535);
    EXPECT_EQ(e.mouseData, 0u);
    EXPECT_EQ(e.flags, 0xE001u);
    EXPECT_EQ(e.time, static_cast<uint32_t>(clock.TickMs()));
    EXPECT_EQ(e.extraInfo, 0xABCDEFu);
    EXPECT_EQ(injector.CursorPos(), (Point{0, 1079}));
}

TEST_F(MouseFixture, ClickHoldsForTheBoundsReadAtEachClick) {
    mouse.ClickLeft();  // none stored: 100 to 200 ms
    ASSERT_EQ(log.Entries().size(), 3u);
    const int held = std::stoi(log.Entries()[1].substr(6));
    EXPECT_TRUE(held >= 100 && held <= 200) << held;
    struct Case {
        int32_t min, max;
        std::vector<std::string> actions;
    } cases[] = {
        {250, 50, {"down", "sleep 250", "up"}},
        {0, 0, {"down", "up"}},
        {-10, -5, {"down", "up"}},
        {30, 30, {"down", "sleep 30", "up"}},
    };
    for (const Case& c : cases) {
        log.Clear();
        store.WriteInt("Instance 2", "ClickTimeDelayMin", c.min);
        store.WriteInt("Instance 2", "ClickTimeDelayMax", c.max);
        mouse.ClickLeft();
        EXPECT_EQ(log.Entries(), c.actions) << c.min << "/" << c.max;
    }
    for (const MouseEvent& e : injector.Events()) {
        EXPECT_EQ(e.extraInfo, 0x312u);
        EXPECT_EQ(e.dx | e.dy | int32_t(e.time), 0);
    }
}

}  // namespace
}  // namespace qrv
