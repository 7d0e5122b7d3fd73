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
    Rect area;
};

// Captures into `into`, which may hold an earlier capture's pixels.
void ExpectCapture(const Request& r, PixelImage& into) {
    ImageScreenSource source(Numbered(), r.origin);
    const Rect& a = r.area;
    ASSERT_TRUE(source.Capture(a, into));
    ASSERT_EQ(into.m_iWidth, a.Width());
    ASSERT_EQ(into.m_iHeight, a.Height());
    for (int32_t y = 0; y < a.Height(); ++y) {
        for (int32_t x = 0; x < a.Width(); ++x) {
            ASSERT_EQ(into.PackedAt(x, y), Expected(r.origin, int64_t(a.left) + x, a.top + y))
                << "origin " << r.origin.x << "," << r.origin.y << " request " << a.left << ","
                << a.top << " " << a.Width() << "x" << a.Height() << " pixel " << x << "," << y;
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
        const int32_t width = std::uniform_int_distribution<int32_t>(1, 20)(random);
        const int32_t height = std::uniform_int_distribution<int32_t>(1, 20)(random);
        // Right and bottom edges stay screen coordinates.
        const int32_t left = std::min(closeToImage ? near(origin.x) : near(pick()), kMax - width);
        const int32_t top = std::min(closeToImage ? near(origin.y) : near(pick()), kMax - height);
        ExpectCapture({origin, {left, top, left + width, top + height}}, into);
        if (HasFatalFailure()) {
            return;
        }
    }
}

// Areas inside the image are shown in place, neither cleared nor copied, by a
// capture and by every capture after it; preparing for them allocates nothing.
TEST(ImageScreenSource, AreasInsideShowTheImageItself) {
    ImageScreenSource source(Numbered(), {-2, 5});
    PixelImage into = test::Filled(4, 3, 0xFFFFFF);
    source.Prepare({-1, 6, 1, 8}, into);
    EXPECT_TRUE(into.Empty());
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(source.Capture({-1, 6, 1, 8}, into));
        EXPECT_NE(into.Owner(), nullptr);
        EXPECT_EQ(into.PackedAt(0, 0), Expected({-2, 5}, -1, 6));
        EXPECT_EQ(into.PackedAt(1, 1), Expected({-2, 5}, 0, 7));
    }
}

// Empty, inverted and wider-than-the-integer-range requests read nothing;
// the bounds saturate at the integer limit.
TEST(ImageScreenSource, EmptyRequestReadsNothingAndBoundsSaturate) {
    EXPECT_EQ(ImageScreenSource(Numbered(), {-2, 5}).Bounds(), (Rect{-2, 5, 2, 8}));
    EXPECT_EQ(ImageScreenSource(Numbered(), {kMax - 1, kMax}).Bounds(),
              (Rect{kMax - 1, kMax, kMax, kMax}));
    ImageScreenSource source(Numbered(), {0, 0});
    for (const Rect& area : {Rect{0, 0, 0, 5}, Rect{0, 0, 5, 0}, Rect{0, 0, -3, 2},
                             Rect{kMax, kMax, kMin, kMin}, Rect{kMin, 0, kMax, 1}}) {
        PixelImage into(2, 2);
        EXPECT_FALSE(source.Capture(area, into));
        EXPECT_TRUE(into.Empty());
    }
}

}  // namespace
}  // namespace qrv
