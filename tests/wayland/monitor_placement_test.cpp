#include "platform/portal/monitor_placement.h"

#include <gtest/gtest.h>

#include <string>

namespace qrv {
namespace {

std::string Text(const std::vector<Rect>& areas) {
    std::string text;
    for (const Rect& r : areas) {
        text += std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                std::to_string(r.Width()) + "x" + std::to_string(r.Height()) + "; ";
    }
    return text;
}

StreamGeometry At(int32_t x, int32_t y, int32_t w, int32_t h) {
    return {Point{x, y}, w, h};
}
StreamGeometry Unplaced(int32_t w, int32_t h) {
    return {std::nullopt, w, h};
}

TEST(MonitorPlacementTest, PlacesEveryStreamWithoutOverlap) {
    const std::vector<Rect> twoOutputs{{-1280, 0, 0, 1024}, {0, 0, 1920, 1080}};
    const struct {
        const char* what;
        std::vector<StreamGeometry> streams;
        std::vector<Rect> outputs;
        std::string placed;
    } cases[] = {
        {"positions given are kept",
         {At(-1280, 0, 1280, 1024), At(0, 0, 1920, 1080)},
         {},
         "-1280,0 1280x1024; 0,0 1920x1080; "},
        {"no positions: the compositor's outputs, matched by size",
         {Unplaced(1920, 1080), Unplaced(1280, 1024)},
         twoOutputs,
         "0,0 1920x1080; -1280,0 1280x1024; "},
        {"no positions, sizes unlike the outputs: the outputs in order",
         {Unplaced(800, 600), Unplaced(800, 600)},
         twoOutputs,
         "-1280,0 800x600; 0,0 800x600; "},
        {"no positions, no outputs: side by side in stream order",
         {Unplaced(1280, 800), Unplaced(1024, 768)},
         {},
         "0,0 1280x800; 1280,0 1024x768; "},
        {"some positions: the others take the outputs left free",
         {At(0, 0, 1920, 1080), Unplaced(1280, 1024)},
         twoOutputs,
         "0,0 1920x1080; -1280,0 1280x1024; "},
        {"some positions, no outputs: the others right of them",
         {Unplaced(640, 480), At(-100, 0, 100, 100)},
         {},
         "0,0 640x480; -100,0 100x100; "},
        {"more streams than outputs: the rest right of what is placed",
         {Unplaced(1920, 1080), Unplaced(300, 200)},
         {{0, 0, 1920, 1080}},
         "0,0 1920x1080; 1920,0 300x200; "},
        {"duplicate positions: side by side",
         {At(0, 0, 1280, 800), At(0, 0, 1280, 800)},
         twoOutputs,
         "0,0 1280x800; 1280,0 1280x800; "},
        {"overlapping positions: side by side",
         {At(0, 0, 1280, 800), At(1000, 700, 1280, 800)},
         {},
         "0,0 1280x800; 1280,0 1280x800; "},
        {"an output too small for its stream would overlap the next: side by side",
         {Unplaced(1920, 1080), Unplaced(1920, 1080)},
         {{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}},
         "0,0 1920x1080; 1920,0 1920x1080; "},
        {"positions past 32 bits are not trusted",
         {At(2147483000, 0, 1280, 800), At(0, 0, 640, 480)},
         {},
         "640,0 1280x800; 0,0 640x480; "},
        {"nothing to place", {}, twoOutputs, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Text(PlaceMonitors(c.streams, c.outputs)), c.placed) << c.what;
    }
}

}  // namespace
}  // namespace qrv
