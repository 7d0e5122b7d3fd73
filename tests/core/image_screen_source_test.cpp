#include "search/image_screen_source.h"

#include <gtest/gtest.h>

#include "matcher_test_support.h"

namespace qrv {
namespace {

// A 4x3 screen image at (-2, 5) whose pixel colours encode their own position.
PixelImage Numbered() {
    PixelImage image(4, 3);
    for (int32_t y = 0; y < 3; ++y) {
        for (int32_t x = 0; x < 4; ++x) {
            image.SetPacked(x, y, 0x010000u * uint32_t(y + 1) + uint32_t(x + 1));
        }
    }
    return image;
}

uint32_t Expected(int32_t screenX, int32_t screenY) {
    const int32_t x = screenX + 2;
    const int32_t y = screenY - 5;
    if (x < 0 || x >= 4 || y < 0 || y >= 3) {
        return 0;
    }
    return 0x010000u * uint32_t(y + 1) + uint32_t(x + 1);
}

TEST(ImageScreenSource, CapturesAnyRectangleWithBlackOutsideTheImage) {
    ImageScreenSource source(Numbered(), {-2, 5});
    EXPECT_EQ(source.Bounds(), (Rect{-2, 5, 2, 8}));
    const Rect requests[] = {{-2, 5, 2, 8}, {-5, 3, 5, 10},   {0, 6, 1, 7},
                             {1, 7, 4, 9},  {10, 10, 12, 12}, {-3, 4, -2, 5}};
    for (const Rect& r : requests) {
        PixelImage into;
        ASSERT_TRUE(source.Capture(r.left, r.top, r.Width(), r.Height(), into));
        ASSERT_EQ(into.m_iWidth, r.Width());
        ASSERT_EQ(into.m_iHeight, r.Height());
        for (int32_t y = 0; y < r.Height(); ++y) {
            for (int32_t x = 0; x < r.Width(); ++x) {
                EXPECT_EQ(into.PackedAt(x, y), Expected(r.left + x, r.top + y))
                    << "request " << r.left << "," << r.top << " pixel " << x << "," << y;
            }
        }
    }
}

// A reused image holds the last capture's pixels: whatever the new request
// does not cover must still read black.
TEST(ImageScreenSource, ReusedImageReadsBlackOutsideTheImage) {
    ImageScreenSource source(Numbered(), {-2, 5});
    const Rect requests[] = {{-2, 5, 2, 8}, {-3, 4, 1, 7}, {-2, 5, 2, 8}, {0, 6, 4, 9}};
    PixelImage into = test::Filled(4, 3, 0xFFFFFF);
    for (const Rect& r : requests) {
        ASSERT_TRUE(source.Capture(r.left, r.top, r.Width(), r.Height(), into));
        for (int32_t y = 0; y < r.Height(); ++y) {
            for (int32_t x = 0; x < r.Width(); ++x) {
                ASSERT_EQ(into.PackedAt(x, y), Expected(r.left + x, r.top + y))
                    << "request " << r.left << "," << r.top << " pixel " << x << "," << y;
            }
        }
    }
}

TEST(ImageScreenSource, PreparedImageIsFilledInPlace) {
    ImageScreenSource source(Numbered(), {-2, 5});
    PixelImage into;
    source.Prepare(-1, 6, 3, 2, into);
    const uint8_t* block = into.Data();
    ASSERT_TRUE(source.Capture(-1, 6, 3, 2, into));
    EXPECT_EQ(into.Data(), block);
    EXPECT_EQ(into.PackedAt(2, 1), Expected(1, 7));
}

TEST(ImageScreenSource, EmptyRequestReadsNothing) {
    ImageScreenSource source(Numbered(), {0, 0});
    PixelImage into(2, 2);
    EXPECT_FALSE(source.Capture(0, 0, 0, 5, into));
    EXPECT_TRUE(into.Empty());
}

}  // namespace
}  // namespace qrv
