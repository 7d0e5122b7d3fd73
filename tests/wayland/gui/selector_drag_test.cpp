// The area selector on the headless sway of tests/wayland/with-sway.sh, driven
// through the compositor with the platform's virtual pointer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "app/selector/screen_area_selector.h"
#include "app/selector/selector_overlay.h"
#include "app/widgets/screen_pixels.h"
#include "core/desktop/mouse_event.h"
#include "core/settings/profile.h"
#include "platform/desktop_platform.h"

namespace qrv::test {
namespace {

constexpr int kWaitMs = 20000;
// The outputs' bounding box: 1280x1024 left of the origin, 1920x1080 at it.
constexpr Rect kLayout{-1280, 0, 1920, 1080};

void Button(InputInjector& input, uint32_t flags) {
    MouseEvent event;
    event.flags = flags;
    input.Inject(event);
}

// Each overlay is shown full screen on its own output.
bool Covered(const std::vector<SelectorOverlay*>& overlays) {
    for (const SelectorOverlay* overlay : overlays) {
        const QWindow* window = overlay->window()->windowHandle();
        if (!window || !window->isExposed() || overlay->size() != overlay->screen()->size()) {
            return false;
        }
    }
    return true;
}

SelectorOverlay* OverlayOver(const std::vector<SelectorOverlay*>& overlays, Point pixel) {
    const QPoint origin = ScreenPixels::Origin(kLayout);
    for (SelectorOverlay* overlay : overlays) {
        if (ScreenPixels::Extent(*overlay->screen(), origin).Contains(pixel)) {
            return overlay;
        }
    }
    return nullptr;
}

// Presses at one screen pixel and releases at another once the overlays are up.
void Drag(ScreenAreaSelector& selector, InputInjector& input, Point from, Point to) {
    const auto overlays = selector.findChildren<SelectorOverlay*>();
    const std::vector<SelectorOverlay*> all(overlays.begin(), overlays.end());
    ASSERT_EQ(all.size(), std::size_t(QGuiApplication::screens().size()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Covered(all); }, kWaitMs));
    SelectorOverlay* start = OverlayOver(all, from);
    ASSERT_NE(start, nullptr);
    input.SetCursorPos(from);
    // The pointer is over the overlay once the compositor has placed it there.
    ASSERT_TRUE(QTest::qWaitFor([&] { return start->underMouse(); }, kWaitMs));
    Button(input, mouse_flags::kLeftDown);
    input.SetCursorPos(to);
    Button(input, mouse_flags::kLeftUp);
}

Rect Stored(Profile& profile) {
    return Rect{profile.Get(keys::kStartingPointX), profile.Get(keys::kStartingPointY),
                profile.Get(keys::kClosingPointX), profile.Get(keys::kClosingPointY)};
}

TEST(WaylandSelectorTest, DragAcrossBothOutputsGivesOneScreenRectangle) {
    const auto platform = OpenDesktopPlatform();
    ASSERT_EQ(platform->name, "wayland");
    ASSERT_TRUE(platform->HasSession());
    ASSERT_EQ(QGuiApplication::screens().size(), 2);
    ASSERT_EQ(platform->layout->VirtualScreen(), kLayout);
    Profile profile(*platform->profile, *platform->windows);

    struct Case {
        Point from;
        Point to;
        Rect want;
    };
    // Left output to right output, and the other way round.
    const Case cases[] = {
        {{-300, 200}, {250, 700}, {-300, 200, 250, 700}},
        {{640, 900}, {-1000, 40}, {-1000, 40, 640, 900}},
    };
    for (const Case& c : cases) {
        ScreenAreaSelector selector(*platform->layout, *platform->screen, *platform->input, profile,
                                    nullptr);
        QTimer::singleShot(0, &selector, [&] {
            Drag(selector, *platform->input, c.from, c.to);
            const bool ended = !testing::Test::HasFatalFailure() &&
                               QTest::qWaitFor([&] { return !selector.isVisible(); }, kWaitMs);
            if (!ended) {
                ADD_FAILURE() << "the drag did not end the selector";
                selector.reject();
            }
        });
        EXPECT_EQ(selector.exec(), QDialog::Accepted);
        EXPECT_EQ(Stored(profile), c.want);
    }
}

}  // namespace
}  // namespace qrv::test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
