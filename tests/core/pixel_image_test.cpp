#include "core/base/pixel_image.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace qrv {
namespace {

TEST(PixelImageTest, PackedColorIsBlueGreenRedWithRedLow) {
    PixelImage image(3, 2);
    image.SetPacked(2, 1, 0x00A1B2C3u);
    const uint8_t* p = image.Row(1) + 2 * 4;
    EXPECT_EQ(p[0], 0xA1);  // blue
    EXPECT_EQ(p[1], 0xB2);  // green
    EXPECT_EQ(p[2], 0xC3);  // red
    EXPECT_EQ(p[3], 0x00);
    image.Row(1)[2 * 4 + 3] = 0x7F;  // byte 3 never shows in the packed value
    EXPECT_EQ(image.PackedAt(2, 1), 0x00A1B2C3u);
    EXPECT_EQ(PackedColor(p), 0x00A1B2C3u);
    EXPECT_EQ(image.PackedAt(0, 0), 0u);
}

TEST(PixelImageTest, ResizeKeepsTheBlockAndItsPixelsWhenTheyFit) {
    PixelImage image(4, 4);
    for (int32_t y = 0; y < 4; ++y) {
        for (int32_t x = 0; x < 4; ++x) {
            image.SetPacked(x, y, 0x010203u * uint32_t(y * 4 + x + 1));
        }
    }
    image.m_pInfo = {1, 2, 3};
    const uint8_t* block = image.Data();
    const struct {
        int32_t w, h;
        bool sameBlock;
    } steps[] = {{4, 4, true}, {2, 8, true}, {1, 3, true}, {4, 4, true}, {5, 4, false}};
    for (const auto& step : steps) {
        image.Resize(step.w, step.h);
        EXPECT_EQ(image.m_iWidth, step.w);
        EXPECT_EQ(image.m_iHeight, step.h);
        EXPECT_EQ(image.SizeBytes(), std::size_t(step.w) * std::size_t(step.h) * 4);
        EXPECT_TRUE(image.m_pInfo.empty());
        // A bigger image gets a new block, which the allocator may place where
        // the old one was freed: only keeping the block is observable.
        if (step.sameBlock) {  // the bytes are left as they were
            EXPECT_EQ(image.Data(), block) << step.w << "x" << step.h;
            EXPECT_EQ(image.Data()[0], 0x01) << step.w << "x" << step.h;
            EXPECT_EQ(image.Data()[4], 0x02) << step.w << "x" << step.h;
        }
    }
    image.Reset(5, 4);  // Reset still clears
    for (std::size_t i = 0; i < image.SizeBytes(); ++i) {
        ASSERT_EQ(image.Data()[i], 0) << i;
    }
}

TEST(PixelImageTest, ResizeKeepsAnAdoptedBlockThatFits) {
    auto block = std::make_shared<std::vector<uint8_t>>(64, 0xAB);
    PixelImage image;
    image.Adopt(block, block->data(), block->size(), 2, 2);
    image.Resize(4, 4);
    EXPECT_EQ(image.Data(), block->data());
    EXPECT_EQ(image.Owner(), block);
    EXPECT_EQ(image.Data()[63], 0xAB);
    image.Resize(5, 4);  // too big: a block of its own
    EXPECT_NE(image.Data(), block->data());
    EXPECT_EQ(image.Owner(), nullptr);
    EXPECT_EQ(image.SizeBytes(), 80u);
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
    EXPECT_EQ(image.Data(), nullptr);
    EXPECT_EQ(image.SizeBytes(), 0u);
    EXPECT_EQ(image.Owner(), nullptr);
    EXPECT_TRUE(image.m_pInfo.empty());
}

// A block of `bytes` bytes counting up from 1, owned by a shared vector.
std::shared_ptr<std::vector<uint8_t>> Block(std::size_t bytes) {
    auto block = std::make_shared<std::vector<uint8_t>>(bytes);
    for (std::size_t i = 0; i < bytes; ++i) {
        (*block)[i] = uint8_t(i + 1);
    }
    return block;
}

TEST(PixelImageTest, AdoptedPixelsAreShownAsTheyAreAndKeptAliveByMovesUntilCleared) {
    auto block = Block(6 * 4);
    std::weak_ptr<std::vector<uint8_t>> alive = block;
    PixelImage a(8, 8);
    a.m_pInfo = {1};
    a.Adopt(block, block->data(), block->size(), 3, 2);
    EXPECT_TRUE(a.m_pInfo.empty());
    EXPECT_EQ(a.Data(), block->data());
    EXPECT_EQ(a.SizeBytes(), 24u);
    EXPECT_EQ(a.Row(1), block->data() + 12);
    EXPECT_EQ(a.PackedAt(2, 1), 0x00151617u);  // bytes 21, 22, 23
    block.reset();
    a.m_pInfo = {9};  // moves carry the info along

    PixelImage b(std::move(a));
    ExpectReleased(a);
    PixelImage c;
    c = std::move(b);
    ExpectReleased(b);
    ASSERT_FALSE(alive.expired());
    EXPECT_EQ(c.Owner(), alive.lock());
    EXPECT_EQ(c.m_pInfo, std::vector<uint8_t>{9});
    EXPECT_EQ(c.Data(), alive.lock()->data());
    c.SetPacked(0, 0, 0xABCDEFu);
    EXPECT_EQ((*alive.lock())[0], 0xAB);
    c.Clear();
    ExpectReleased(c);
    EXPECT_TRUE(alive.expired());
}

// Reset keeps an adopted block while the new size fits in it and falls back
// to an owned buffer, dropping the block, once it does not.
TEST(PixelImageTest, ResetReusesAnAdoptedBlockWithinItsCapacity) {
    const struct {
        int32_t w, h;
        bool kept;
    } cases[] = {{4, 4, true}, {2, 8, true},  {1, 1, true},
                 {0, 3, true}, {5, 4, false}, {4, 5, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        auto block = Block(4 * 4 * 4);
        std::weak_ptr<std::vector<uint8_t>> alive = block;
        PixelImage image;
        image.Adopt(block, block->data(), block->size(), 2, 2);
        uint8_t* pixels = block->data();
        block.reset();
        image.Reset(c.w, c.h);
        EXPECT_EQ(image.SizeBytes(), std::size_t(c.w) * std::size_t(c.h) * 4);
        EXPECT_EQ(image.Owner() != nullptr, c.kept);
        EXPECT_EQ(alive.expired(), !c.kept);
        if (c.kept && c.w > 0) {
            EXPECT_EQ(image.Data(), pixels);
        }
        for (std::size_t i = 0; i < image.SizeBytes(); ++i) {
            ASSERT_EQ(image.Data()[i], 0) << i;
        }
    }
}

}  // namespace
}  // namespace qrv
