#include "core/search/image_screen_source.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "matcher_test_support.h"

namespace qrv {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// A 4x3 screen image whose pixel colours encode their own position.
PixelImage Numbered() {
    PixelImage image(4, 3);
    for (int32_t y = 0; y < 3; ++y) {
        for (int32_t x = 0; x < 4; ++x) {
            image.SetPacked(x, y, 0x010000u * uint32_t(y + 1) + uint32_t(x + 1));
        }
    }
    return image;
}

// What the screen shows at a position, worked out independently of the
// source's clipping: the numbered image at `origin`, black elsewhere.
uint32_t Expected(Point origin, int64_t screenX, int64_t screenY) {
    const int64_t x = screenX - origin.x;
    const int64_t y = screenY - origin.y;
    if (x < 0 || x >= 4 || y < 0 || y >= 3) {
        return 0;
    }
    return 0x010000u * uint32_t(y + 1) + uint32_t(x + 1);
}

struct Request {
    Point origin;
    int32_t left, top, width, height;
};

// Captures into `into`, which may hold an earlier capture's pixels.
void ExpectCapture(const Request& r, PixelImage& into) {
    ImageScreenSource source(Numbered(), r.origin);
    ASSERT_TRUE(source.Capture(r.left, r.top, r.width, r.height, into));
    ASSERT_EQ(into.m_iWidth, r.width);
    ASSERT_EQ(into.m_iHeight, r.height);
    for (int32_t y = 0; y < r.height; ++y) {
        for (int32_t x = 0; x < r.width; ++x) {
            ASSERT_EQ(into.PackedAt(x, y),
                      Expected(r.origin, int64_t(r.left) + x, int64_t(r.top) + y))
                << "origin " << r.origin.x << "," << r.origin.y << " request " << r.left << ","
                << r.top << " " << r.width << "x" << r.height << " pixel " << x << "," << y;
        }
    }
}

// Random requests and origins, biased towards the image's edges and the
// integer limits, agree with the per-pixel model: inside, around, beside
// (overlapping its rows) and far from the image. The image is reused, so what
// a request does not cover must read black whatever the last capture left.
TEST(ImageScreenSource, RandomRequestsMatchThePixelModel) {
    std::mt19937 random(20261206);
    const int32_t anchors[] = {kMin, kMin + 3, -1280, -7, 0, 2, 5, kMax - 9, kMax};
    auto near = [&](int32_t anchor) {
        const int64_t v = int64_t(anchor) + std::uniform_int_distribution<int>(-8, 8)(random);
        return int32_t(std::clamp<int64_t>(v, kMin, kMax));
    };
    auto pick = [&] { return anchors[random() % std::size(anchors)]; };
    PixelImage into = test::Filled(4, 3, 0xFFFFFF);
    for (int i = 0; i < 4000; ++i) {
        const Point origin{near(pick()), near(pick())};
        const bool closeToImage = random() % 2 == 0;
        const int32_t left = closeToImage ? near(origin.x) : near(pick());
        const int32_t top = closeToImage ? near(origin.y) : near(pick());
        const int32_t width = std::uniform_int_distribution<int32_t>(1, 20)(random);
        const int32_t height = std::uniform_int_distribution<int32_t>(1, 20)(random);
        ExpectCapture({origin, left, top, width, height}, into);
        if (HasFatalFailure()) {
            return;
        }
    }
}

// Whole rows of the image are shown in place, neither cleared nor copied, by
// a capture and by every capture after it; preparing for them allocates nothing.
TEST(ImageScreenSource, WholeRowsShowTheImageItself) {
    ImageScreenSource source(Numbered(), {-2, 5});
    PixelImage into = test::Filled(4, 3, 0xFFFFFF);
    source.Prepare(-2, 6, 4, 2, into);
    EXPECT_TRUE(into.Empty());
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(source.Capture(-2, 6, 4, 2, into));
        EXPECT_NE(into.Owner(), nullptr);
        EXPECT_EQ(into.PackedAt(0, 0), Expected({-2, 5}, -2, 6));
        EXPECT_EQ(into.PackedAt(3, 1), Expected({-2, 5}, 1, 7));
    }
}

TEST(ImageScreenSource, BoundsSaturateAtTheIntegerLimit) {
    EXPECT_EQ(ImageScreenSource(Numbered(), {-2, 5}).Bounds(), (Rect{-2, 5, 2, 8}));
    EXPECT_EQ(ImageScreenSource(Numbered(), {kMax - 1, kMax}).Bounds(),
              (Rect{kMax - 1, kMax, kMax, kMax}));
}

TEST(ImageScreenSource, EmptyRequestReadsNothing) {
    ImageScreenSource source(Numbered(), {0, 0});
    for (const auto& [width, height] : {std::pair{0, 5}, {5, 0}, {-3, 2}, {kMin, kMin}}) {
        PixelImage into(2, 2);
        EXPECT_FALSE(source.Capture(0, 0, width, height, into));
        EXPECT_TRUE(into.Empty());
    }
}

}  // namespace
}  // namespace qrv
