#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "core/base/pixel_image.h"
#include "platform/x11/x_desktop_geometry.h"
#include "platform/x11/x_display_layout.h"
#include "platform/x11/x_screen_source.h"
#include "platform_test_support.h"
#include "x11_test_client.h"

namespace qrv {
namespace {

// The test desktop: the primary monitor 1920x1080 right of a 1280x1024 one.
constexpr int kOriginX = 1280;
const std::vector<Rect> kMonitors{{0, 0, 1920, 1080}, {-1280, 0, 0, 1024}};

TEST(XDesktopGeometry, DerivesScreenCoordinatesFromThePrimaryMonitor) {
    struct Case {
        std::vector<Rect> rootMonitors;
        Rect virtualScreen;
        Point origin;
    };
    const Case cases[] = {
        {{}, {0, 0, 800, 600}, {0, 0}},
        {{{1280, 0, 3200, 1080}, {0, 0, 1280, 1024}}, {-1280, 0, 1920, 1080}, {1280, 0}},
        {{{0, 768, 1024, 1536}, {0, 0, 1024, 768}}, {0, -768, 1024, 768}, {0, 768}},
        {{{100, 50, 900, 650}}, {0, 0, 800, 600}, {100, 50}},
    };
    for (const Case& c : cases) {
        XDesktopGeometry g(c.rootMonitors, 800, 600);
        EXPECT_EQ(g.VirtualScreen(), c.virtualScreen);
        EXPECT_EQ(g.Origin(), c.origin);
        EXPECT_EQ(g.Root().left, -c.origin.x);
        EXPECT_EQ(g.Monitors().front().left, 0);
        EXPECT_EQ(g.Monitors().front().top, 0);
    }
}

// Counts pixels that differ from the pattern covering the root: the pattern
// on a monitor, black elsewhere.
int Mismatches(const PixelImage& image, int left, int top) {
    int wrong = 0;
    for (int y = 0; y < image.m_iHeight; ++y) {
        for (int x = 0; x < image.m_iWidth; ++x) {
            const Point p{left + x, top + y};
            bool shown = kMonitors[0].Contains(p) || kMonitors[1].Contains(p);
            uint32_t rgb = shown ? test::PatternColor(p.x + kOriginX, p.y) : 0;
            uint32_t packed = image.PackedAt(x, y);  // 0x00BBGGRR
            wrong += ((packed & 0xFF) << 16 | (packed & 0xFF00) | packed >> 16) != rgb;
        }
    }
    return wrong;
}

class XScreenSourceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QRV_SKIP_WITHOUT_DESKTOP();
        m_window = m_client.CreateWindow(0, 0, 3200, 1080, true);
        m_client.FillPattern(m_window, 3200, 1080);
    }
    void TearDown() override {
        if (m_window)
            m_client.Destroy(m_window);
    }

    test::XTestClient m_client;
    Window m_window = 0;
};

// The layout reports the two monitors. Both capture methods read the same
// pixels: the whole desktop and areas anywhere, at full size with black
// outside the monitors.
TEST_F(XScreenSourceTest, AreasAnywhereHaveFullSizeWithBlackOutsideTheMonitors) {
    XDisplayLayout layout;
    ASSERT_TRUE(layout.Connected());
    EXPECT_EQ(layout.VirtualScreen(), (Rect{-1280, 0, 1920, 1080}));
    EXPECT_EQ(layout.Monitors(), kMonitors);
    struct Area {
        const char* what;
        int left, top, width, height;
        bool read;
    };
    const Area areas[] = {
        {"whole virtual screen", -1280, 0, 3200, 1080, true},
        {"primary top-left", 0, 0, 64, 32, true},
        {"left monitor", -1280, 0, 100, 50, true},
        {"across both monitors", -40, 100, 80, 20, true},
        {"half off the bottom-right", 1900, 1060, 40, 40, true},
        {"half off the top-left", -1300, -10, 50, 30, true},
        {"below the left monitor", -1290, 1000, 1400, 60, true},
        {"off screen", 5000, 5000, 10, 10, false},
    };
    for (auto method : {XScreenSource::Method::SharedMemory, XScreenSource::Method::GetImage}) {
        XScreenSource source({}, method);
        ASSERT_TRUE(source.Connected());
        EXPECT_EQ(source.ActiveMethod(), method);
        for (const Area& a : areas) {
            SCOPED_TRACE(a.what);
            PixelImage image(3, 3);
            image.SetPacked(0, 0, 0xFFFFFF);
            EXPECT_EQ(source.Capture({a.left, a.top, a.left + a.width, a.top + a.height}, image),
                      a.read);
            ASSERT_EQ(image.m_iWidth, a.width);
            ASSERT_EQ(image.m_iHeight, a.height);
            ASSERT_EQ(image.SizeBytes(), std::size_t(a.width) * std::size_t(a.height) * 4);
            EXPECT_EQ(Mismatches(image, a.left, a.top), 0);
        }
    }
}

// Each image keeps its own pixels, whatever else the source captures and even
// after the source is gone; a larger area moves the image to a new block.
TEST_F(XScreenSourceTest, ImagesKeepTheirOwnPixelsBeyondLaterCapturesAndTheSource) {
    auto source = std::make_unique<XScreenSource>();
    PixelImage a, b;
    ASSERT_TRUE(source->Capture({0, 0, 64, 32}, a));
    ASSERT_TRUE(source->Capture({100, 200, 164, 232}, b));
    EXPECT_NE(a.Data(), b.Data());
    ASSERT_TRUE(source->Capture({-1280, 0, -1180, 50}, b));
    const uint8_t* smaller = b.Data();
    ASSERT_TRUE(source->Capture({10, 10, 26, 26}, b));
    EXPECT_EQ(b.Data(), smaller);
    ASSERT_TRUE(source->Capture({300, 400, 428, 464}, b));
    source.reset();
    EXPECT_EQ(Mismatches(a, 0, 0), 0);
    EXPECT_EQ(Mismatches(b, 300, 400), 0);
}

// A monitor added while the source lives is captured at once, without
// reopening the source.
TEST_F(XScreenSourceTest, SeesMonitorsAddedAfterItsFirstCapture) {
    XScreenSource source;
    PixelImage image;
    // Below the left monitor: outside every monitor, so black at first.
    const Rect below{-1280, 1024, 0, 1080};
    auto lit = [&] {
        EXPECT_TRUE(source.Capture(below, image));
        return image.PackedAt(10, 10) != 0;
    };
    ASSERT_FALSE(lit());
    ASSERT_EQ(std::system("xrandr --setmonitor QRV-BELOW 1280/338x56/15+0+1024 none"), 0);
    EXPECT_TRUE(test::WaitUntil(lit));
    ASSERT_EQ(std::system("xrandr --delmonitor QRV-BELOW"), 0);
    EXPECT_TRUE(test::WaitUntil([&] { return !lit(); }));
}

}  // namespace
}  // namespace qrv
