#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <string>
#include <vector>

#include "matcher_test_support.h"

namespace qrv {
namespace {

using namespace test;

constexpr uint32_t kBack = 0x202020u;

// A 3x2 picture with three distinct colours.
PixelImage Glyph() {
    PixelImage p(3, 2);
    const uint32_t colors[] = {0x1020F0, 0x30A040, 0x805060, 0x30A040, 0x1020F0, 0x0000FF};
    for (int i = 0; i < 6; ++i) {
        p.SetPacked(i % 3, i / 3, colors[i]);
    }
    return p;
}

PixelImage GlyphsAt(int32_t w, int32_t h, std::vector<Point> at) {
    PixelImage area = Filled(w, h, kBack);
    for (Point p : at) {
        Paste(area, Glyph(), p.x, p.y);
    }
    return area;
}

TEST(PixelMatchesTest, DeviationRules) {
    const struct {
        const char* name;
        uint8_t area[4];
        uint8_t picture[4];
        int32_t r, g, b;
        bool want;
    } cases[] = {
        {"exact, byte 3 differs", {1, 2, 3, 0}, {1, 2, 3, 255}, 0, 0, 0, true},
        {"exact, blue off by one", {1, 2, 3, 0}, {2, 2, 3, 0}, 0, 0, 0, false},
        {"mixed signs summing to 0 are exact", {10, 10, 10, 0}, {10, 10, 13, 0}, -5, 5, 0, false},
        {"mixed signs summing to 0, equal", {10, 10, 10, 0}, {10, 10, 10, 9}, -5, 5, 0, true},
        {"negative deviation admits nothing", {10, 10, 10, 0}, {10, 10, 10, 0}, -1, 2, 2, false},
        {"red deviation applies to byte 2", {10, 10, 15, 0}, {10, 10, 10, 0}, 5, 0, 1, true},
        {"blue deviation applies to byte 0", {15, 10, 10, 0}, {10, 10, 10, 0}, 5, 0, 1, false},
        {"bound is inclusive", {0, 7, 0, 0}, {0, 0, 0, 0}, 1, 7, 1, true},
        {"one past the bound", {0, 8, 0, 0}, {0, 0, 0, 0}, 1, 7, 1, false},
        {"255 admits everything", {0, 255, 0, 1}, {255, 0, 255, 2}, 255, 255, 255, true},
        {"above 255 admits everything", {0, 255, 0, 1}, {255, 0, 255, 2}, 900, 300, 256, true},
        {"wrapping sum counts as 0", {1, 1, 1, 0}, {1, 1, 2, 0}, INT_MAX, INT_MAX, 2, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PixelMatches(c.area, c.picture, c.r, c.g, c.b), c.want) << c.name;
    }
}

struct EdgeCase {
    std::string name;
    PixelImage area, picture;
    int32_t deviation, left, top;
    bool found;
    Point out;
};

// Deviation rules are covered by PixelMatchesTest and the differential test.
std::vector<EdgeCase> EdgeCases() {
    std::vector<EdgeCase> cases;
    auto add = [&](std::string name, PixelImage area, PixelImage picture, int32_t deviation,
                   Point origin, bool found, Point out) {
        cases.push_back({std::move(name), std::move(area), std::move(picture), deviation, origin.x,
                         origin.y, found, out});
    };
    add("exact match", GlyphsAt(10, 8, {{4, 5}}), Glyph(), 0, {100, 200}, true, {104, 205});
    PixelImage alpha = GlyphsAt(10, 8, {{2, 1}});
    for (std::size_t i = 3; i < alpha.SizeBytes(); i += 4) {
        alpha.Data()[i] = uint8_t(i * 7);
    }
    add("byte 3 ignored", std::move(alpha), Glyph(), 0, {0, 0}, true, {2, 1});
    const uint32_t c = 0x333333;
    add("picture as large as the area", Filled(7, 4, c), Filled(7, 4, c), 0, {5, 5}, true, {5, 5});
    add("picture one wider", Filled(7, 4, c), Filled(8, 4, c), 0, {5, 5}, false, {-1, -1});
    add("picture one taller", Filled(7, 4, c), Filled(7, 5, c), 0, {5, 5}, false, {-1, -1});
    add("same column: the upper wins", GlyphsAt(12, 12, {{6, 8}, {6, 2}}), Glyph(), 0, {0, 0}, true,
        {6, 2});
    add("different columns: the left wins though lower", GlyphsAt(12, 12, {{7, 0}, {3, 9}}),
        Glyph(), 0, {0, 0}, true, {3, 9});
    add("no columns matches at once", Filled(5, 5, kBack), PixelImage(0, 3), 0, {2, 3}, true,
        {2, 3});
    add("no rows matches at once", Filled(5, 5, kBack), PixelImage(3, 0), -1, {0, 0}, true, {0, 0});
    add("empty area, empty picture", PixelImage(), PixelImage(), 0, {-7, 8}, true, {-7, 8});
    add("empty area, one pixel", PixelImage(), Filled(1, 1, 0), 0, {-7, 8}, false, {-1, -1});
    add("negative origin", GlyphsAt(20, 10, {{15, 3}}), Glyph(), 2, {-1280, -40}, true,
        {-1265, -37});
    add("not found leaves the last candidate", Filled(20, 10, kBack), Glyph(), 3, {-1280, -40},
        false, {-1263, -32});
    return cases;
}

TEST(PictureMatcherTest, EdgeCasesOnEveryPath) {
    for (const EdgeCase& c : EdgeCases()) {
        const MatchInputs in = Inputs(c.area, c.picture, c.deviation, c.left, c.top);
        Point out{123, 456};
        EXPECT_EQ(FindPictureInAreaReference(in, out), c.found) << c.name;
        EXPECT_EQ(out, c.out) << c.name;
        for (MatcherPath path : AvailablePaths()) {
            out = {123, 456};
            EXPECT_EQ(FindPictureInArea(in, out, path), c.found) << c.name << " path " << int(path);
            EXPECT_EQ(out, c.out) << c.name << " path " << int(path);
        }
    }
}

TEST(PictureMatcherTest, StopSetBeforehandFindsNothing) {
    const PixelImage area = Filled(6, 6, kBack);
    const PixelImage empty;
    const std::atomic<int32_t> stop{1};
    MatchInputs stopped = Inputs(area, area);
    EXPECT_TRUE(FindPictureAt(stopped, 0, 0));
    stopped.stop = &stop;
    EXPECT_FALSE(FindPictureAt(stopped, 0, 0));
    for (const PixelImage* picture : {&area, &empty}) {
        MatchInputs in = Inputs(area, *picture);
        in.stop = &stop;
        Point out;
        EXPECT_FALSE(FindPictureInAreaReference(in, out));
        for (MatcherPath path : AvailablePaths()) {
            EXPECT_FALSE(FindPictureInArea(in, out, path));
        }
    }
}

}  // namespace
}  // namespace qrv
