#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "core/search/match_explainer.h"
#include "matcher_test_support.h"

namespace qrv {
namespace {

// Every candidate measured: the definition ExplainMatch must agree with.
MatchExplanation ExhaustiveExplanation(const MatchInputs& in) {
    const int64_t lastX = int64_t(in.areaWidth) - in.pictureWidth;
    const int64_t lastY = int64_t(in.areaHeight) - in.pictureHeight;
    if (lastX < 0 || lastY < 0) {
        return {};
    }
    MatchExplanation best;
    bool any = false;
    for (int32_t x = 0; x <= lastX; ++x) {
        for (int32_t y = 0; y <= lastY; ++y) {
            const MatchExplanation e = MeasureCandidate(in, x, y);
            if (!any || e.LargestNeed() < best.LargestNeed()) {
                best = e;
                any = true;
            }
        }
    }
    Point unused;
    best.matches = FindPictureInAreaReference(in, unused);
    return best;
}

void ExpectSame(const MatchExplanation& got, const MatchExplanation& want,
                const std::string& label) {
    EXPECT_EQ(got.fits, want.fits) << label;
    EXPECT_EQ(got.matches, want.matches) << label;
    EXPECT_EQ(got.closest, want.closest) << label;
    EXPECT_EQ(got.needRed, want.needRed) << label;
    EXPECT_EQ(got.needGreen, want.needGreen) << label;
    EXPECT_EQ(got.needBlue, want.needBlue) << label;
    EXPECT_EQ(got.differing, want.differing) << label;
    EXPECT_EQ(got.compared, want.compared) << label;
}

// Random near colours so that needs are small and ties frequent.
PixelImage NearNoise(std::mt19937& rng, int32_t w, int32_t h, int32_t spread, bool someClear) {
    std::uniform_int_distribution<> channel(100, 100 + spread), coin(0, 3);
    PixelImage image(w, h);
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* p = image.Row(y) + std::size_t(x) * 4;
            p[0] = uint8_t(channel(rng)), p[1] = uint8_t(channel(rng)),
            p[2] = uint8_t(channel(rng));
            p[3] = someClear && coin(rng) == 0 ? 0 : 0xFF;
        }
    }
    return image;
}

// Areas of 1 to 24 and pictures of 1 to 8 pixels a side: pictures wider,
// taller or both larger than the area do not fit.
TEST(MatchExplainerTest, AgreesWithMeasuringEveryCandidate) {
    const std::vector<MatcherPath> paths = test::AvailablePaths();
    int matched = 0, unfit = 0;
    for (int i = 0; i < 600; ++i) {
        std::mt19937 rng(uint32_t(i) * 7919u + 1u);
        const auto pick = [&](int lo, int hi) {
            return std::uniform_int_distribution<>(lo, hi)(rng);
        };
        const int32_t spread = std::array{0, 3, 40, 255}[std::size_t(pick(0, 3))];
        const bool masked = i % 3 == 0;
        PixelImage area = NearNoise(rng, pick(1, 24), pick(1, 24), spread, false);
        PixelImage picture = NearNoise(rng, pick(1, 8), pick(1, 8), spread, masked && i % 2 == 0);
        MatchInputs in = test::Inputs(area, picture, 0, pick(-30, 30), pick(-30, 30));
        in.deviationRed = pick(-1, 12), in.deviationGreen = pick(0, 12);
        in.deviationBlue = pick(0, 12);
        in.maskTransparent = masked;
        const MatchExplanation want = ExhaustiveExplanation(in);
        matched += want.matches ? 1 : 0;
        unfit += want.fits ? 0 : 1;
        for (MatcherPath path : paths) {
            ExpectSame(ExplainMatch(in, path), want, "case " + std::to_string(i));
        }
        if (HasFailure()) {
            return;
        }
    }
    EXPECT_GT(matched, 60);
    EXPECT_LT(matched, 540);
    EXPECT_GT(unfit, 20);
}

}  // namespace
}  // namespace qrv
