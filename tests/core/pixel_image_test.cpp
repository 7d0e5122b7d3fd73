#include "core/base/pixel_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
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

// Resize keeps the pixels and Reset clears them; both keep the block, owned or
// adopted, while the new size fits in what it held, drop the header block and
// count sizes below 0 as 0. A larger size gets an owned block of its own.
TEST(PixelImageTest, ResizeAndResetKeepTheBlockWhileTheSizeFits) {
    const struct {
        int32_t w, h;
        bool reset, kept;
    } steps[] = {{4, 4, false, true}, {2, 8, false, true},  {1, 3, true, true},
                 {0, 3, true, true},  {-3, 4, true, true},  {4, -1, false, true},
                 {4, 4, false, true}, {5, 4, false, false}, {4, 5, true, false}};
    for (const bool adopted : {false, true}) {
        auto block = Block(4 * 4 * 4);
        std::vector<uint8_t> model = *block;  // what the kept block holds
        const std::weak_ptr<std::vector<uint8_t>> alive = block;
        PixelImage image(4, 4);
        if (adopted) {
            image.Adopt(block, block->data(), block->size(), 2, 2);
        } else {
            std::memcpy(image.Data(), block->data(), block->size());
        }
        block.reset();
        bool kept = true;
        for (const auto& s : steps) {
            SCOPED_TRACE(testing::Message() << adopted << " " << s.w << "x" << s.h);
            const uint8_t* before = image.Data();
            image.m_pInfo = {1, 2, 3};
            s.reset ? image.Reset(s.w, s.h) : image.Resize(s.w, s.h);
            kept = kept && s.kept;
            EXPECT_EQ(image.m_iWidth, std::max(s.w, 0));
            EXPECT_EQ(image.m_iHeight, std::max(s.h, 0));
            EXPECT_EQ(image.SizeBytes(), std::size_t(image.m_iWidth * image.m_iHeight * 4));
            EXPECT_EQ(image.Empty(), image.SizeBytes() == 0);
            EXPECT_TRUE(image.m_pInfo.empty());
            EXPECT_EQ(image.Owner() != nullptr, adopted && kept);
            EXPECT_EQ(alive.expired(), !(adopted && kept));
            if (kept && s.reset) {
                std::fill_n(model.begin(), image.SizeBytes(), 0);
            }
            if (kept && image.SizeBytes() != 0) {
                EXPECT_EQ(image.Data(), before);
            }
            for (std::size_t i = 0; i < image.SizeBytes() && (kept || s.reset); ++i) {
                ASSERT_EQ(image.Data()[i], kept ? model[i] : 0) << i;
            }
        }
    }
}

}  // namespace
}  // namespace qrv
