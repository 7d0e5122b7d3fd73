#include "core/search/search_area_check.h"

#include <gtest/gtest.h>

#include <limits>

namespace qrv {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(SearchAreaCheck, AdmitsWhatTheScreenCanHoldAndRefusesTheRest) {
    const Rect twoMonitors{-1280, 0, 1920, 1080};  // 3200 x 1080
    struct Case {
        int32_t left, top, width, height;
        bool admitted;
    } cases[] = {
        {-1280, 0, 3200, 1080, true},     // the whole virtual screen
        {5000, -9000, 3200, 1080, true},  // off every monitor: reads black
        {0, 0, 1, 1, true},
        {kMin, kMin, 10, 10, true},
        {kMax - 10, kMax - 10, 10, 10, true},  // right edge at the last coordinate
        {kMax - 10, 0, 11, 10, false},
        {0, kMax, 1, 1, false},
        {0, 0, 3201, 1, false},
        {0, 0, 1, 1081, false},
        {0, 0, 100000, 100000, false},
        {0, 0, kMax, kMax, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(!SearchAreaProblem(c.left, c.top, c.width, c.height, twoMonitors), c.admitted)
            << c.left << "," << c.top << " " << c.width << "x" << c.height;
    }
}

// A huge virtual screen (or screen image) still caps an area at 512 MiB of pixels.
TEST(SearchAreaCheck, CapsThePixelCountOnAnyScreen) {
    const Rect huge{0, 0, 1 << 20, 1 << 20};
    EXPECT_FALSE(SearchAreaProblem(0, 0, 16384, 8192, huge));
    EXPECT_TRUE(SearchAreaProblem(0, 0, 16384, 8193, huge));
    EXPECT_TRUE(SearchAreaProblem(0, 0, 20000, 20000, huge));
    const Rect wrapping{kMin, kMin, kMax, kMax};  // its size overflows 32 bits
    EXPECT_FALSE(SearchAreaProblem(0, 0, 1000, 1000, wrapping));
}

}  // namespace
}  // namespace qrv
