#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "color_test_images.h"
#include "core/colors/chained_color_set.h"
#include "core/colors/color_set.h"
#include "core/colors/hash_color_key.h"

namespace qrv {
namespace {

using namespace color_test;

TEST(HashColorKeyTest, FastBucketAgreesForEveryColor) {
    uint32_t mismatches = 0;
    for (uint32_t c = 0; c < (1U << 24); ++c) {
        mismatches += ColorBucket(c) != HashColorKey(c) % kColorBucketCount;
    }
    EXPECT_EQ(mismatches, 0U);
}

TEST(ColorSetTest, IgnoresTheFourthPixelByte) {
    PixelImage image(2, 1);
    image.SetPacked(0, 0, kGrey);
    image.SetPacked(1, 0, kGrey);
    image.Row(0)[3] = 0xFF;
    image.Row(0)[7] = 0x12;
    ColorSet set;
    set.InsertImage(image);
    EXPECT_EQ(OrderedOf(set), std::vector<uint32_t>{kGrey});
    EXPECT_FALSE(set.Insert(0xAB000000 | kGrey));
}

// Random insertion sequences, one colour at a time and in pixel blocks, from
// palettes small enough to repeat colours often.
TEST(ColorSetTest, MatchesTheChainedReference) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 40; ++round) {
        const uint32_t paletteSize = 1 + rng() % 3000;
        std::vector<uint32_t> palette(paletteSize);
        for (uint32_t& c : palette) {
            c = rng() & 0xFFFFFF;
        }
        ColorSet fast;
        ChainedColorSet reference;
        for (int block = 0; block < 4; ++block) {
            const int32_t width = 1 + static_cast<int32_t>(rng() % 64);
            const int32_t height = 1 + static_cast<int32_t>(rng() % 64);
            std::vector<uint32_t> pixels(std::size_t(width) * std::size_t(height));
            for (uint32_t& c : pixels) {
                c = palette[rng() % paletteSize];
            }
            if (block % 2 == 0) {
                fast.InsertImage(ImageOf(pixels, width));
                for (uint32_t c : pixels) {
                    reference.Insert(c);
                }
            } else {
                for (uint32_t c : pixels) {
                    ASSERT_EQ(fast.Insert(c), reference.Insert(c));
                }
            }
            ASSERT_EQ(fast.Count(), reference.Count());
            ASSERT_EQ(OrderedOf(fast), reference.Ordered()) << "round " << round;
        }
        for (int probe = 0; probe < 200; ++probe) {
            const uint32_t c = probe % 2 ? palette[rng() % paletteSize] : rng() & 0xFFFFFF;
            ASSERT_EQ(fast.Contains(c), reference.Contains(c));
        }
    }
}

}  // namespace
}  // namespace qrv
