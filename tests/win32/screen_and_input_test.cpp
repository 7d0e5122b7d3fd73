#include <gtest/gtest.h>

#include "core/search/mouse_input.h"
#include "core/search/system_clock.h"
#include "core/settings/memory_profile_store.h"
#include "core/settings/profile.h"
#include "core/settings/setting_keys.h"
#include "fakes/fake_top_level_windows.h"
#include "platform/win32/win32_display_layout.h"
#include "platform/win32/win32_input_injector.h"
#include "platform/win32/win32_screen_source.h"
#include "test_window.h"

namespace qrv::win32 {
namespace {

constexpr COLORREF kColor = RGB(0x12, 0x34, 0x56);
constexpr uint32_t kPacked = 0x563412;  // 0x00BBGGRR
const RECT kWindowRect{100, 120, 164, 168};

bool AllPixels(const PixelImage& image, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
               uint32_t packed) {
    for (int32_t y = y0; y < y1; ++y) {
        for (int32_t x = x0; x < x1; ++x) {
            if (image.PackedAt(x, y) != packed) {
                return false;
            }
        }
    }
    return true;
}

TEST(Win32DisplayLayoutTest, MonitorsLieInsideTheVirtualScreenThatHoldsTheOrigin) {
    Win32DisplayLayout layout;
    const Rect screen = layout.VirtualScreen();
    EXPECT_TRUE(screen.Contains(Point{0, 0}));
    const std::vector<Rect> monitors = layout.Monitors();
    ASSERT_FALSE(monitors.empty());
    for (const Rect& m : monitors) {
        EXPECT_LE(screen.left, m.left);
        EXPECT_LE(screen.top, m.top);
        EXPECT_GE(screen.right, m.right);
        EXPECT_GE(screen.bottom, m.bottom);
    }
}

// A window of one colour is read back exactly, inside and around it, and an
// area reaching beyond every monitor keeps its size with the outside black.
TEST(Win32ScreenSourceTest, ReadsWindowPixelsAndBlackensOutsideTheMonitors) {
    TestWindow window(kWindowRect, kColor);
    Win32ScreenSource source;
    PixelImage image;
    ASSERT_TRUE(PumpUntil([&] {
        return source.Capture(
                   {kWindowRect.left, kWindowRect.top, kWindowRect.left + 64, kWindowRect.top + 48},
                   image) &&
               AllPixels(image, 0, 0, 64, 48, kPacked);
    })) << "pixel (0,0) reads "
        << std::hex << image.PackedAt(0, 0);
    EXPECT_EQ(image.m_iWidth, 64);
    EXPECT_EQ(image.m_iHeight, 48);
    EXPECT_EQ(image.m_pInfo.size(), sizeof(BITMAPINFOHEADER));

    // The same image again: the section it adopted is reused, nothing is copied.
    const uint8_t* pixels = image.Data();
    ASSERT_TRUE(source.Capture(
        {kWindowRect.left - 4, kWindowRect.top - 4, kWindowRect.left + 60, kWindowRect.top + 44},
        image));
    EXPECT_EQ(image.Data(), pixels);
    EXPECT_TRUE(AllPixels(image, 4, 4, 64, 48, kPacked));

    const Rect screen = Win32DisplayLayout().VirtualScreen();
    const int32_t left = screen.right - 10;
    ASSERT_TRUE(source.Capture({left, 0, left + 30, 20}, image));
    EXPECT_EQ(image.m_iWidth, 30);
    EXPECT_TRUE(AllPixels(image, 10, 0, 30, 20, 0));

    EXPECT_FALSE(source.Capture({screen.right + 5, 0, screen.right + 13, 8}, image));
    EXPECT_EQ(image.m_iWidth, 8);
    EXPECT_TRUE(AllPixels(image, 0, 0, 8, 8, 0));
}

TEST(Win32ScreenSourceTest, RefusesEmptyAndOversizedAreas) {
    Win32ScreenSource source;
    PixelImage image;
    for (const Rect& area : {Rect{0, 0, 0, 10}, Rect{0, 0, 10, -1}, Rect{0, 0, 1 << 20, 1 << 20},
                             Rect{INT32_MIN, 0, INT32_MAX, 2}}) {
        EXPECT_FALSE(source.Capture(area, image)) << area.right << "," << area.bottom;
        EXPECT_TRUE(image.Empty());
    }
}

class Win32InputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        profile.Write(keys::kClickTimeDelayMin, 0);
        profile.Write(keys::kClickTimeDelayMax, 0);
    }

    MemoryProfileStore store;
    FakeTopLevelWindows windows;
    Profile profile{store, windows};
    Win32InputInjector injector;
    Win32DisplayLayout layout;
    SystemClock clock;
    MouseInput mouse{injector, layout, clock, profile};
};

TEST_F(Win32InputTest, CursorCanBePlacedDirectly) {
    for (Point p : {Point{10, 20}, Point{300, 5}}) {
        injector.SetCursorPos(p);
        EXPECT_TRUE(PumpUntil([&] { return injector.CursorPos() == p; })) << p.x << "," << p.y;
    }
}

// The normalised absolute move lands on the very pixel, and the click is
// received there carrying the program's marker.
TEST_F(Win32InputTest, AbsoluteMoveAndClickReachTheWindowUnderThePoint) {
    TestWindow window(kWindowRect, kColor);
    PumpUntil([] { return false; }, 300);
    const Point target{kWindowRect.left + 17, kWindowRect.top + 9};
    mouse.MoveMouseTo(target.x, target.y);
    ASSERT_TRUE(PumpUntil([&] { return injector.CursorPos() == target; }))
        << injector.CursorPos().x << "," << injector.CursorPos().y;
    mouse.ClickLeft();
    ASSERT_TRUE(PumpUntil([&] { return window.ButtonUps() == 1; }));
    ASSERT_EQ(window.Clicks().size(), 1U);
    EXPECT_EQ(window.Clicks()[0].client.x, 17);
    EXPECT_EQ(window.Clicks()[0].client.y, 9);
    EXPECT_EQ(window.Clicks()[0].extraInfo, kClickExtraInfo);
}

}  // namespace
}  // namespace qrv::win32
