#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "core/search/match_lister.h"
#include "matcher_test_support.h"

namespace qrv {
namespace {

// Scenes of few colours, so that pictures match often and overlap.
class Scene {
  public:
    explicit Scene(uint32_t seed) : m_rng(seed) {}

    int32_t Int(int32_t lo, int32_t hi) { return std::uniform_int_distribution<>(lo, hi)(m_rng); }

    PixelImage Image(int32_t w, int32_t h, int32_t shades, bool opaque) {
        PixelImage image(w, h);
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                image.SetPacked(x, y, 0x102030u * uint32_t(Int(0, shades - 1)));
                image.Row(y)[x * 4 + 3] = opaque || Int(0, 2) != 0 ? 0xFF : 0;
            }
        }
        return image;
    }

  private:
    std::mt19937 m_rng;
};

TEST(MatchListerTest, EveryPathListsWhatThePlainLoopsFind) {
    const std::vector<MatcherPath> paths = test::AvailablePaths();
    int listed = 0;
    for (int i = 0; i < 1500; ++i) {
        Scene make(uint32_t(i) * 2654435761u + 3u);
        const int32_t shades = make.Int(1, 3);
        PixelImage area = make.Image(make.Int(0, 40), make.Int(0, 40), shades, true);
        PixelImage picture = make.Image(make.Int(0, 5), make.Int(0, 5), shades, i % 2 == 0);
        MatchInputs in = test::Inputs(area, picture, make.Int(0, 2) == 0 ? 0x10 : 0,
                                      make.Int(-50, 50), make.Int(-50, 50));
        in.maskTransparent = i % 3 != 0;
        const std::size_t limit = std::size_t(std::array{0, 1, 5, 1000}[std::size_t(i % 4)]);
        const std::vector<Point> want = ListMatchesReference(in, limit);
        listed += want.size() > 1 ? 1 : 0;
        for (MatcherPath path : paths) {
            ASSERT_EQ(ListMatches(in, limit, path), want) << "case " << i << " path " << int(path);
        }
    }
    EXPECT_GT(listed, 300);  // many scenes with several, overlapping matches
}

}  // namespace
}  // namespace qrv
