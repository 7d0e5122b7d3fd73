#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>

#include "core/base/pixel_image.h"
#include "core/desktop/mouse_event.h"
#include "core/search/mouse_input.h"
#include "pattern_window.h"
#include "platform/desktop_platform.h"
#include "platform/wayland/wayland_display_layout.h"
#include "platform/wayland/wayland_input_injector.h"
#include "platform/wayland/wayland_screen_source.h"

namespace qrv::test {
namespace {

// The outputs of tests/wayland/with-sway.sh.
constexpr Rect kLeft{-1280, 0, 0, 1024};
constexpr Rect kRight{0, 0, 1920, 1080};

// Window pixel (x, y) as 0x00RRGGBB of a captured image.
uint32_t Rgb(const PixelImage& image, int32_t x, int32_t y) {
    const uint8_t* p = image.Row(y) + std::size_t(x) * 4;
    return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
}

// Where the image differs from the patch; empty when it shows the patch.
std::string PatchMismatch(const PixelImage& image) {
    for (int32_t y = 0; y < kPatch.Height(); ++y) {
        for (int32_t x = 0; x < kPatch.Width(); ++x) {
            if (Rgb(image, x, y) != PatchColor(x, y)) {
                return "pixel " + std::to_string(x) + "," + std::to_string(y);
            }
        }
    }
    return {};
}

// Captures until the patch shows: the compositor draws a new window's first
// frame some time after the window has committed it.
bool CapturesPatch(WaylandScreenSource& source, Point at, PixelImage& image) {
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (source.Capture({at.x, at.y, at.x + kPatch.Width(), at.y + kPatch.Height()}, image) &&
            PatchMismatch(image).empty()) {
            return true;
        }
        QThread::msleep(20);
    }
    return false;
}

// Where the image, captured with its top-left corner at screen point `at`,
// does not show `rgb` over the fill square of the window at `window`.
std::string FillMismatch(const PixelImage& image, Point at, Point window, uint32_t rgb) {
    for (int32_t y = kFillSquare.top; y < kFillSquare.bottom; ++y) {
        for (int32_t x = kFillSquare.left; x < kFillSquare.right; ++x) {
            const uint32_t seen = Rgb(image, window.x + x - at.x, window.y + y - at.y);
            if (seen != rgb) {
                return "window pixel " + std::to_string(x) + "," + std::to_string(y) + " is " +
                       std::to_string(seen) + ", not " + std::to_string(rgb);
            }
        }
    }
    return {};
}

class WaylandBackendTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!std::getenv("WAYLAND_DISPLAY")) {
            return;
        }
        s_left = new PatternWindow("quorvane-left", "HEADLESS-1");
        s_right = new PatternWindow("quorvane-right", "HEADLESS-2");
    }
    static void TearDownTestSuite() {
        delete s_left;
        delete s_right;
        s_left = s_right = nullptr;
    }
    void SetUp() override {
        if (!std::getenv("WAYLAND_DISPLAY")) {
            GTEST_SKIP() << "needs tests/wayland/with-sway.sh";
        }
        ASSERT_TRUE(s_left->Ready() && s_right->Ready());
    }

    static inline PatternWindow* s_left = nullptr;
    static inline PatternWindow* s_right = nullptr;
};

TEST_F(WaylandBackendTest, OutputsArePhysicalRectanglesInLayoutCoordinates) {
    WaylandDisplayLayout layout;
    ASSERT_TRUE(layout.Connected());
    EXPECT_EQ(layout.Monitors(), (std::vector<Rect>{kRight, kLeft}));
    EXPECT_EQ(layout.VirtualScreen(), (Rect{-1280, 0, 1920, 1080}));
}

TEST_F(WaylandBackendTest, CapturesTheWindowPatchOnEveryOutput) {
    WaylandScreenSource source;
    ASSERT_TRUE(source.Connected());
    for (const Rect& output : {kLeft, kRight}) {
        SCOPED_TRACE(output.left);
        PixelImage image;
        const Point at{output.left + kPatch.left, output.top + kPatch.top};
        ASSERT_TRUE(CapturesPatch(source, at, image)) << PatchMismatch(image);
        // The next capture into the same image lands in the same buffer.
        const uint8_t* pixels = image.Data();
        ASSERT_TRUE(
            source.Capture({at.x, at.y, at.x + kPatch.Width(), at.y + kPatch.Height()}, image));
        EXPECT_EQ(image.Data(), pixels);
        EXPECT_EQ(PatchMismatch(image), "");
    }
}

TEST_F(WaylandBackendTest, AreaAcrossOutputsIsPiecedTogetherAndBlackOffThem) {
    WaylandScreenSource source;
    PixelImage patch;
    ASSERT_TRUE(CapturesPatch(source, {kPatch.left, kPatch.top}, patch));
    // 40 columns of each output; the left one ends 56 rows above the right one.
    PixelImage image;
    ASSERT_TRUE(source.Capture({-40, 1000, 40, 1100}, image));
    ASSERT_EQ(image.m_iWidth, 80);
    ASSERT_EQ(image.m_iHeight, 100);
    const uint32_t grey = Rgb(image, 79, 0);
    EXPECT_NE(grey, 0u);
    EXPECT_EQ(Rgb(image, 0, 0), grey);
    EXPECT_EQ(Rgb(image, 39, 23), grey);
    EXPECT_EQ(Rgb(image, 39, 24), 0u);
    EXPECT_EQ(Rgb(image, 0, 99), 0u);
    EXPECT_EQ(Rgb(image, 40, 79), grey);
    EXPECT_EQ(Rgb(image, 40, 80), 0u);
    // Wholly off every output: black, and nothing was read.
    EXPECT_FALSE(source.Capture({-3000, -3000, -2990, -2990}, image));
    EXPECT_EQ(Rgb(image, 5, 5), 0u);
}

// What the compositor has presented is what the next capture sees, however
// quickly the pictures follow each other: with copies kept armed between
// captures, and with a fresh frame awaited on every capture.
TEST_F(WaylandBackendTest, CaptureAfterPresentationShowsTheNewPixels) {
    int fills = 0;
    for (const std::chrono::milliseconds idleAfter :
         {std::chrono::milliseconds(0), std::chrono::milliseconds(std::chrono::hours(1))}) {
        SCOPED_TRACE(idleAfter.count());
        WaylandScreenSource source({}, idleAfter);
        PixelImage image;
        for (int round = 0; round < 6; ++round) {
            SCOPED_TRACE(round);
            const uint32_t left = 0x0f2040 * uint32_t(++fills);
            const uint32_t right = ~left & 0xffffff;
            // One output's square, read whole from that output.
            ASSERT_TRUE(s_right->Fill(right));
            const Point square{kFillSquare.left, kFillSquare.top};
            ASSERT_TRUE(source.Capture(kFillSquare, image));
            EXPECT_EQ(FillMismatch(image, square, {0, 0}, right), "");
            // Both windows changed, read in one area across the outputs.
            ASSERT_TRUE(s_left->Fill(left));
            ASSERT_TRUE(s_right->Fill(left ^ 0x808080));
            const Point at{kLeft.left + kFillSquare.left, kFillSquare.top};
            ASSERT_TRUE(source.Capture({at.x, at.y, kFillSquare.right, at.y + kFillSquare.Height()},
                                       image));
            EXPECT_EQ(FillMismatch(image, at, {kLeft.left, kLeft.top}, left), "");
            EXPECT_EQ(FillMismatch(image, at, {kRight.left, kRight.top}, left ^ 0x808080), "");
        }
    }
}

// Copies stay armed with the compositor only while captures are being made.
TEST_F(WaylandBackendTest, CopiesStayArmedOnlyWhileCapturing) {
    PixelImage image;
    WaylandScreenSource busy({}, std::chrono::hours(1));
    EXPECT_EQ(busy.ArmedCopies(), 0u);
    ASSERT_TRUE(busy.Capture({-10, 0, 10, 10}, image));
    EXPECT_EQ(busy.ArmedCopies(), 4u);  // two on each output
    WaylandScreenSource idle({}, std::chrono::milliseconds(0));
    ASSERT_TRUE(idle.Capture({-10, 0, 10, 10}, image));
    EXPECT_EQ(idle.ArmedCopies(), 0u);
    // Once captures stop, the copies still armed are withdrawn, on a still screen too.
    WaylandScreenSource brief({}, std::chrono::milliseconds(50));
    ASSERT_TRUE(brief.Capture({-10, 0, 10, 10}, image));
    const QDeadlineTimer deadline(20000);
    while (brief.ArmedCopies() != 0 && !deadline.hasExpired()) {
        QThread::msleep(20);
    }
    EXPECT_EQ(brief.ArmedCopies(), 0u);
}

TEST_F(WaylandBackendTest, PointerMovesAndClicksWhereTheScreenPointIs) {
    WaylandInputInjector input;
    ASSERT_TRUE(input.Connected());
    // Placing the cursor, on the left output.
    input.SetCursorPos({kLeft.left + 50, 60});
    EXPECT_TRUE(s_left->PointerAt(50, 60));
    EXPECT_EQ(input.CursorPos(), (Point{kLeft.left + 50, 60}));
    // An absolute move over the whole layout to the right output, and a click there.
    const Rect desk{-1280, 0, 1920, 1080};
    const Point target{333, 222};
    MouseEvent move;
    move.flags = mouse_flags::kAbsoluteMove;
    move.dx = MouseInput::Normalise(target.x, desk.left, desk.Width());
    move.dy = MouseInput::Normalise(target.y, desk.top, desk.Height());
    input.Inject(move);
    EXPECT_TRUE(s_right->PointerAt(333, 222));
    EXPECT_EQ(input.CursorPos(), target);
    MouseEvent down;
    down.flags = mouse_flags::kLeftDown;
    input.Inject(down);
    MouseEvent up;
    up.flags = mouse_flags::kLeftUp;
    input.Inject(up);
    EXPECT_TRUE(s_right->Saw("press 1 333 222"));
    EXPECT_TRUE(s_right->Saw("release 1 333 222"));
}

// The session's platform is the Wayland one, unless QRV_PLATFORM names another.
TEST_F(WaylandBackendTest, SessionOpensTheWaylandPlatform) {
    std::unique_ptr<DesktopPlatform> platform = OpenDesktopPlatform();
    EXPECT_EQ(platform->name, "wayland");
    EXPECT_TRUE(platform->HasSession());
    EXPECT_EQ(platform->hotKeys, nullptr);  // start/stop comes over the session bus
    EXPECT_NE(platform->toggles, nullptr);
    EXPECT_EQ(platform->layout->VirtualScreen(), (Rect{-1280, 0, 1920, 1080}));
    qputenv("QRV_PLATFORM", "x11");
    std::unique_ptr<DesktopPlatform> x11 = OpenDesktopPlatform();
    qunsetenv("QRV_PLATFORM");
    EXPECT_EQ(x11->name, "x11");
    EXPECT_FALSE(x11->HasSession());  // no X server in this session
}

// The windows are listed and activated by their ids. The program's own window
// has an id of the toolkit's, which may be a listed id of another window: it
// is found by its application id and title.
TEST_F(WaylandBackendTest, ListsAndActivatesTheWindows) {
    std::unique_ptr<DesktopPlatform> platform = OpenDesktopPlatform();
    ASSERT_TRUE(platform->HasSession());
    std::map<std::string, WindowId> ids;
    for (const TopLevelWindow& w : platform->windows->Enumerate()) {
        ids[w.title] = w.id;
        EXPECT_FALSE(w.minimized);
    }
    const std::string left = "quorvane-left", right = "quorvane-right";
    ASSERT_TRUE(ids.count(left) && ids.count(right));
    EXPECT_NE(ids[left], ids[right]);
    const auto focuses = [](const std::string& title) {
        const QDeadlineTimer deadline(20000);
        while (FocusedTitle() != title && !deadline.hasExpired()) {
            QThread::msleep(20);
        }
        return FocusedTitle() == title;
    };
    for (const std::string& title : {left, right}) {
        platform->activator->Activate(ids[title]);
        EXPECT_TRUE(focuses(title)) << title;
    }
    for (auto [own, other] : {std::pair{left, right}, std::pair{right, left}}) {
        platform->activator->DescribeOwnWindow(ids[other], kPatternAppId, own);
        platform->activator->Activate(ids[other]);
        EXPECT_TRUE(focuses(own)) << own;
    }
}

}  // namespace
}  // namespace qrv::test
