#include "search/pixel_image.h"

#include <gtest/gtest.h>

#include <utility>

namespace qrv {
namespace {

TEST(PixelImageTest, PackedColourIsBlueGreenRedWithRedLow) {
    PixelImage image(3, 2);
    image.SetPacked(2, 1, 0x00A1B2C3u);
    const uint8_t* p = image.Row(1) + 2 * 4;
    EXPECT_EQ(p[0], 0xA1);  // blue
    EXPECT_EQ(p[1], 0xB2);  // green
    EXPECT_EQ(p[2], 0xC3);  // red
    EXPECT_EQ(p[3], 0x00);
    image.Row(1)[2 * 4 + 3] = 0x7F;  // byte 3 never shows in the packed value
    EXPECT_EQ(image.PackedAt(2, 1), 0x00A1B2C3u);
    EXPECT_EQ(PackedColour(p), 0x00A1B2C3u);
    EXPECT_EQ(image.PackedAt(0, 0), 0u);
}

TEST(PixelImageTest, ResetSizesZeroesAndKeepsCapacity) {
    PixelImage image(4, 4);
    image.SetPacked(1, 1, 0x123456u);
    image.m_pInfo = {1, 2, 3};
    const uint8_t* before = image.Data();
    image.Reset(2, 8);
    EXPECT_EQ(image.m_iWidth, 2);
    EXPECT_EQ(image.m_iHeight, 8);
    EXPECT_EQ(image.SizeBytes(), 2u * 8u * 4u);
    EXPECT_EQ(image.Data(), before);
    EXPECT_TRUE(image.m_pInfo.empty());
    for (std::size_t i = 0; i < image.SizeBytes(); ++i) {
        ASSERT_EQ(image.Data()[i], 0) << i;
    }
}

TEST(PixelImageTest, ZeroAndNegativeSizesHoldNoPixels) {
    const struct {
        int32_t w, h, wantW, wantH;
    } cases[] = {{0, 5, 0, 5}, {5, 0, 5, 0}, {-3, 4, 0, 4}, {4, -1, 4, 0}, {0, 0, 0, 0}};
    for (const auto& c : cases) {
        PixelImage image(c.w, c.h);
        EXPECT_EQ(image.m_iWidth, c.wantW);
        EXPECT_EQ(image.m_iHeight, c.wantH);
        EXPECT_TRUE(image.Empty());
        EXPECT_EQ(image.SizeBytes(), 0u);
    }
}

void ExpectReleased(const PixelImage& image) {
    EXPECT_EQ(image.m_iWidth + image.m_iHeight, 0);
    EXPECT_EQ(image.m_pPixels.capacity(), 0u);
    EXPECT_TRUE(image.m_pInfo.empty());
}

TEST(PixelImageTest, MoveAndClearLeaveNothingBehind) {
    PixelImage a(2, 3);
    a.SetPacked(1, 2, 0xABCDEFu);
    a.m_pInfo = {9};
    PixelImage b(std::move(a));
    EXPECT_EQ(b.PackedAt(1, 2), 0xABCDEFu);
    EXPECT_EQ(b.m_pInfo.size(), 1u);
    ExpectReleased(a);

    PixelImage c(5, 5);
    c = std::move(b);
    EXPECT_EQ(c.m_iWidth, 2);
    EXPECT_EQ(c.PackedAt(1, 2), 0xABCDEFu);
    ExpectReleased(b);
    c.Clear();
    ExpectReleased(c);
}

}  // namespace
}  // namespace qrv
