#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/input/keyboard_actions.h"
#include "core/input/pointer_actions.h"
#include "fakes/fake_platform.h"
#include "fakes/recording_keyboard_injector.h"

namespace qrv {
namespace {

struct InputActionsTest : ::testing::Test {
    // The log without the random click holds and the pauses.
    std::vector<std::string> Injected() {
        std::vector<std::string> entries;
        for (const std::string& e : fakes.log.Entries()) {
            if (!e.starts_with("sleep ")) {
                entries.push_back(e);
            }
        }
        return entries;
    }

    FakePlatform fakes;
    MouseInput mouse{fakes.input, fakes.layout, fakes.clock, fakes.profile};
    PointerActions pointer{mouse, fakes.layout, fakes.clock};
    RecordingKeyboardInjector keys{fakes.log};
    KeyboardActions keyboard{keys, fakes.clock};
};

TEST_F(InputActionsTest, ComboReleasesInReverseAlsoWhenAPressFails) {
    const uint32_t combo[] = {0xffe3, 0xffe1, 0xffc6};
    keyboard.Press(combo);
    keys.FailAt(9);  // the third press of the second run
    EXPECT_THROW(keyboard.Press(combo), std::runtime_error);
    EXPECT_EQ(Injected(),
              (std::vector<std::string>{
                  "key ffe3 down", "key ffe1 down", "key ffc6 down", "key ffc6 up", "key ffe1 up",
                  "key ffe3 up", "key ffe3 down", "key ffe1 down", "key ffe1 up", "key ffe3 up"}));
}

TEST_F(InputActionsTest, TypePausesOnlyBetweenCharacters) {
    keyboard.Type(U"aΩ", 30);
    EXPECT_EQ(fakes.log.Entries(),
              (std::vector<std::string>{"type U+0061", "sleep 30", "type U+03A9"}));
}

TEST_F(InputActionsTest, PointerGestures) {
    pointer.Click(Point{10, 20}, MouseButton::kRight, true);
    pointer.Click(std::nullopt, MouseButton::kMiddle, false);
    pointer.Scroll(-2, false, Point{5, 6});
    pointer.Scroll(1, true, std::nullopt);
    EXPECT_EQ(Injected(),
              (std::vector<std::string>{"move 10,20", "down right", "up right", "down right",
                                        "up right", "down middle", "up middle", "move 5,6",
                                        "wheel -120", "wheel -120", "hwheel 120"}));
    fakes.log.Clear();
    pointer.Drag({100, 100}, {50, 300});
    const std::vector<std::string> drag = Injected();
    ASSERT_EQ(drag.size(), 13u);
    EXPECT_EQ(drag[0], "move 100,100");
    EXPECT_EQ(drag[1], "down");
    EXPECT_EQ(drag[11], "move 50,300");
    EXPECT_EQ(drag[12], "up");
}

TEST_F(InputActionsTest, RefusesBeforeInjectingAnything) {
    fakes.SetMonitors({{-1280, 0, 0, 1024}, {0, 0, 1920, 1080}});
    EXPECT_THROW(pointer.Drag({0, 0}, {1920, 5}), std::invalid_argument);
    EXPECT_THROW(pointer.Click(Point{-1281, 0}, MouseButton::kLeft, false), std::invalid_argument);
    EXPECT_THROW(pointer.Scroll(3, false, Point{0, 1080}), std::invalid_argument);
    EXPECT_THROW(pointer.Scroll(PointerActions::kMostWheelSteps + 1, false, std::nullopt),
                 std::invalid_argument);
    EXPECT_EQ(fakes.log.Entries(), std::vector<std::string>{});
    pointer.Move({-1280, 1079});
    EXPECT_EQ(fakes.log.Entries(), std::vector<std::string>{"move -1280,1079"});
}

}  // namespace
}  // namespace qrv
