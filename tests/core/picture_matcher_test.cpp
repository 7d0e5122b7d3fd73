#include "search/picture_matcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <string>
#include <vector>

namespace qrv {
namespace {

constexpr uint32_t kBack = 0x202020u;

std::vector<MatcherPath> Paths() {
    std::vector<MatcherPath> paths;
    for (MatcherPath p :
         {MatcherPath::Auto, MatcherPath::Scalar, MatcherPath::Sse2, MatcherPath::Avx2}) {
        if (MatcherPathAvailable(p)) {
            paths.push_back(p);
        }
    }
    return paths;
}

PixelImage Filled(int32_t w, int32_t h, uint32_t packed) {
    PixelImage image(w, h);
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            image.SetPacked(x, y, packed);
        }
    }
    return image;
}

// A 3x2 picture with three distinct colours.
PixelImage Glyph() {
    PixelImage p(3, 2);
    const uint32_t colours[] = {0x1020F0, 0x30A040, 0x805060, 0x30A040, 0x1020F0, 0x0000FF};
    for (int i = 0; i < 6; ++i) {
        p.SetPacked(i % 3, i / 3, colours[i]);
    }
    return p;
}

void Paste(PixelImage& area, const PixelImage& picture, int32_t ox, int32_t oy) {
    for (int32_t y = 0; y < picture.m_iHeight; ++y) {
        for (int32_t x = 0; x < picture.m_iWidth; ++x) {
            area.SetPacked(ox + x, oy + y, picture.PackedAt(x, y));
        }
    }
}

MatchInputs Inputs(const PixelImage& area, const PixelImage& picture, int32_t r, int32_t g,
                   int32_t b, int32_t left = 0, int32_t top = 0) {
    MatchInputs in;
    in.area = &area;
    in.picture = &picture;
    in.areaWidth = area.m_iWidth;
    in.areaHeight = area.m_iHeight;
    in.pictureWidth = picture.m_iWidth;
    in.pictureHeight = picture.m_iHeight;
    in.deviationRed = r;
    in.deviationGreen = g;
    in.deviationBlue = b;
    in.areaLeft = left;
    in.areaTop = top;
    return in;
}

class RecordingCursor : public CursorSweep {
  public:
    void MoveTo(Point p) override { moves.push_back(p); }
    std::vector<Point> moves;
};

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
    PixelImage area;
    PixelImage picture;
    int32_t r = 0, g = 0, b = 0, left = 0, top = 0;
    bool found;
    Point out;
};

std::vector<EdgeCase> EdgeCases() {
    std::vector<EdgeCase> cases;
    auto add = [&](std::string name, PixelImage area, PixelImage picture, int32_t r, int32_t g,
                   int32_t b, int32_t left, int32_t top, bool found, Point out) {
        cases.push_back(
            {std::move(name), std::move(area), std::move(picture), r, g, b, left, top, found, out});
    };
    PixelImage once = Filled(10, 8, kBack);
    Paste(once, Glyph(), 4, 5);
    add("exact match", std::move(once), Glyph(), 0, 0, 0, 100, 200, true, {104, 205});

    PixelImage alpha = Filled(10, 8, kBack);
    Paste(alpha, Glyph(), 2, 1);
    for (std::size_t i = 3; i < alpha.SizeBytes(); i += 4) {
        alpha.m_pPixels[i] = uint8_t(i * 7);
    }
    add("byte 3 ignored", std::move(alpha), Glyph(), 0, 0, 0, 0, 0, true, {2, 1});

    PixelImage offByOne = Filled(6, 5, 0x101010);
    PixelImage near = Filled(2, 2, 0x101011);
    add("mixed-sign zero sum is exact", Filled(6, 5, 0x101010), std::move(near), -5, 5, 0, 0, 0,
        false, {4, 3});
    add("negative deviation finds nothing", std::move(offByOne), Filled(2, 2, 0x101010), -1, 2, 2,
        7, 9, false, {11, 12});
    add("deviation 255 matches at the first candidate", Filled(9, 9, 0x000000),
        Filled(3, 3, 0xFFFFFF), 255, 255, 255, -4, -6, true, {-4, -6});
    add("deviation above 255 clamps", Filled(9, 9, 0x0000C8), Filled(3, 3, 0x000000), 1000, 0, 0, 0,
        0, true, {0, 0});
    add("picture as large as the area", Filled(7, 4, 0x333333), Filled(7, 4, 0x333333), 0, 0, 0, 5,
        5, true, {5, 5});
    add("picture one wider than the area", Filled(7, 4, 0x333333), Filled(8, 4, 0x333333), 0, 0, 0,
        5, 5, false, {-1, -1});
    add("picture one taller than the area", Filled(7, 4, 0x333333), Filled(7, 5, 0x333333), 0, 0, 0,
        5, 5, false, {-1, -1});

    PixelImage column = Filled(12, 12, kBack);
    Paste(column, Glyph(), 6, 8);
    Paste(column, Glyph(), 6, 2);
    add("same column: the upper wins", std::move(column), Glyph(), 0, 0, 0, 0, 0, true, {6, 2});
    PixelImage columns = Filled(12, 12, kBack);
    Paste(columns, Glyph(), 7, 0);
    Paste(columns, Glyph(), 3, 9);
    add("different columns: the left wins though lower", std::move(columns), Glyph(), 0, 0, 0, 0, 0,
        true, {3, 9});

    add("no columns matches at once", Filled(5, 5, kBack), PixelImage(0, 3), 0, 0, 0, 2, 3, true,
        {2, 3});
    add("no rows matches at once", Filled(5, 5, kBack), PixelImage(3, 0), -1, 5, 5, 0, 0, true,
        {0, 0});
    add("empty area, empty picture", PixelImage(), PixelImage(), 0, 0, 0, -7, 8, true, {-7, 8});
    add("empty area, one pixel", PixelImage(), Filled(1, 1, 0), 0, 0, 0, -7, 8, false, {-1, -1});

    PixelImage negative = Filled(20, 10, kBack);
    Paste(negative, Glyph(), 15, 3);
    add("negative origin", std::move(negative), Glyph(), 2, 2, 2, -1280, -40, true, {-1265, -37});
    add("not found leaves the last candidate", Filled(20, 10, kBack), Glyph(), 3, 3, 3, -1280, -40,
        false, {-1263, -32});
    return cases;
}

TEST(PictureMatcherTest, EdgeCasesOnEveryPath) {
    for (const EdgeCase& c : EdgeCases()) {
        const MatchInputs in = Inputs(c.area, c.picture, c.r, c.g, c.b, c.left, c.top);
        Point out{123, 456};
        EXPECT_EQ(FindPictureInAreaReference(in, out), c.found) << c.name;
        EXPECT_EQ(out, c.out) << c.name;
        for (MatcherPath path : Paths()) {
            out = {123, 456};
            EXPECT_EQ(FindPictureInArea(in, out, path), c.found) << c.name << " path " << int(path);
            EXPECT_EQ(out, c.out) << c.name << " path " << int(path);
        }
    }
}

TEST(PictureMatcherTest, FindPictureAtComparesTheWholePicture) {
    PixelImage area = Filled(8, 6, kBack);
    Paste(area, Glyph(), 5, 4);
    const PixelImage glyph = Glyph();
    const MatchInputs in = Inputs(area, glyph, 0, 0, 0);
    EXPECT_TRUE(FindPictureAt(in, 5, 4));
    EXPECT_FALSE(FindPictureAt(in, 4, 4));
    area.SetPacked(7, 5, 0x0000FE);  // the last compared pixel
    EXPECT_FALSE(FindPictureAt(in, 5, 4));
    EXPECT_TRUE(FindPictureAt(Inputs(area, glyph, 1, 0, 0), 5, 4));
}

TEST(PictureMatcherTest, SweepVisitsTheCandidatesInScanOrder) {
    PixelImage area = Filled(9, 7, kBack);
    Paste(area, Glyph(), 4, 3);
    const PixelImage glyph = Glyph();
    PixelImage absent = Glyph();
    absent.SetPacked(0, 0, 0x777777);
    const PixelImage empty;
    const struct {
        const char* name;
        MatchInputs in;
    } cases[] = {
        {"found", Inputs(area, glyph, 0, 0, 0, -3, 2)},
        {"not found", Inputs(area, absent, 0, 0, 0, 1, 1)},
        {"nothing can match", Inputs(area, glyph, -1, 3, 3, 1, 1)},
        {"empty picture", Inputs(area, empty, 0, 0, 0)},
    };
    for (auto c : cases) {
        c.in.sweep = true;
        RecordingCursor expected;
        c.in.cursor = &expected;
        Point want;
        const bool wantFound = FindPictureInAreaReference(c.in, want);
        ASSERT_FALSE(expected.moves.empty()) << c.name;
        EXPECT_EQ(expected.moves.back(), want) << c.name;
        for (MatcherPath path : Paths()) {
            RecordingCursor got;
            c.in.cursor = &got;
            Point out;
            EXPECT_EQ(FindPictureInArea(c.in, out, path), wantFound) << c.name;
            EXPECT_EQ(out, want) << c.name;
            EXPECT_EQ(got.moves, expected.moves) << c.name << " path " << int(path);
        }
    }
}

TEST(PictureMatcherTest, StopSetBeforehandFindsNothing) {
    const PixelImage area = Filled(6, 6, kBack);
    const PixelImage empty;
    const std::atomic<int32_t> stop{1};
    MatchInputs stopped = Inputs(area, area, 0, 0, 0);
    EXPECT_TRUE(FindPictureAt(stopped, 0, 0));
    stopped.stop = &stop;
    EXPECT_FALSE(FindPictureAt(stopped, 0, 0));
    for (const PixelImage* picture : {&area, &empty}) {
        MatchInputs in = Inputs(area, *picture, 0, 0, 0);
        in.stop = &stop;
        Point out;
        EXPECT_FALSE(FindPictureInAreaReference(in, out));
        for (MatcherPath path : Paths()) {
            EXPECT_FALSE(FindPictureInArea(in, out, path));
        }
    }
}

}  // namespace
}  // namespace qrv
