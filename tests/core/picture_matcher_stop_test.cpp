#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "matcher_test_support.h"

namespace qrv {
namespace {

// The stop flag set at a known point inside a scan, from the scan's own
// thread: whether the scan honours it depends on its polling, never on timing.
// How long stopping takes is measured by quorvane-bench.

constexpr int32_t kWidth = 1920, kHeight = 1080;
constexpr uint32_t kC = 0x406080u, kD = 0x804020u, kOdd = 0xF0F0F0u;

void FillTwoColors(PixelImage& image, uint32_t& state) {
    for (int32_t y = 0; y < image.m_iHeight; ++y) {
        for (int32_t x = 0; x < image.m_iWidth; ++x) {
            state ^= state << 13, state ^= state >> 17, state ^= state << 5;
            image.SetPacked(x, y, (state & 1) ? kC : kD);
        }
    }
}

struct Scenes {
    PixelImage twoColor{kWidth, kHeight};
    PixelImage same{kWidth, kHeight};  // equal to twoColour
    PixelImage uniform = test::Filled(kWidth, kHeight, kC);
    PixelImage worst = test::Filled(48, 48, kC);  // uniform but one late pixel
    PixelImage busy{48, 48};                      // two colours, nowhere in the area

    Scenes() {
        uint32_t state = 2463534242u;
        FillTwoColors(twoColor, state);
        FillTwoColors(busy, state);
        std::memcpy(same.Data(), twoColor.Data(), twoColor.SizeBytes());
        worst.SetPacked(46, 47, kOdd);
    }
};

// Sets the stop flag when the given comparison (counting from 1) or cursor
// move starts, and counts those that start after it. A move is followed by its
// candidate's test, which may start a comparison that then sees the flag.
class Stopper : public ScanProbe, public CursorSweep {
  public:
    Stopper(std::atomic<int32_t>& flag, int64_t atComparison, int64_t atMove)
        : m_flag(flag), m_atComparison(atComparison), m_atMove(atMove) {}

    void ComparisonStarts(int32_t, int32_t) override {
        comparisonsAfter += fired ? 1 : 0;
        Fire(++m_comparisons == m_atComparison);
    }
    void MoveTo(Point) override {
        movesAfter += fired ? 1 : 0;
        Fire(++m_moves == m_atMove);
    }

    // Comparisons that may start after the flag: the stopped candidate's own.
    int64_t AllowedComparisonsAfter() const { return m_atMove != 0 ? 1 : 0; }

    bool fired = false;
    int64_t comparisonsAfter = 0;
    int64_t movesAfter = 0;

  private:
    void Fire(bool now) {
        if (!fired && now) {
            fired = true;
            m_flag.store(1, std::memory_order_relaxed);
        }
    }

    std::atomic<int32_t>& m_flag;
    int64_t m_atComparison, m_atMove;
    int64_t m_comparisons = 0, m_moves = 0;
};

using Scan = std::function<bool(const MatchInputs&, Point&)>;

std::vector<std::pair<std::string, Scan>> Scanners() {
    std::vector<std::pair<std::string, Scan>> scanners = {
        {"reference",
         [](const MatchInputs& in, Point& out) { return FindPictureInAreaReference(in, out); }}};
    const std::pair<const char*, MatcherPath> paths[] = {
        {"scalar", MatcherPath::Scalar}, {"sse2", MatcherPath::Sse2}, {"avx2", MatcherPath::Avx2}};
    for (const auto& [name, path] : paths) {
        if (MatcherPathAvailable(path)) {
            scanners.push_back({name, [path = path](const MatchInputs& in, Point& out) {
                                    return FindPictureInArea(in, out, path);
                                }});
        }
    }
    return scanners;
}

struct StopCase {
    std::string name;
    const PixelImage* area;
    const PixelImage* picture;
    int32_t deviation;
    bool sweep;
    int64_t atComparison;  // 0: never
    int64_t atMove;        // 0: never
};

TEST(PictureMatcherStopTest, AScanEndsUnfoundOnceTheStopFlagIsSet) {
    const Scenes s;
    const StopCase cases[] = {
        // One candidate, a match: only polling inside the comparison can stop it.
        {"picture equal to the area", &s.twoColor, &s.same, 0, false, 1, 0},
        {"picture equal to the area, deviation", &s.twoColor, &s.same, 9, false, 1, 0},
        {"picture equal to the area, sweep", &s.twoColor, &s.same, 0, true, 1, 0},
        // Many candidates compared: none may start after the flag.
        {"many comparisons", &s.twoColor, &s.busy, 0, false, 3, 0},
        {"many comparisons, deviation", &s.twoColor, &s.busy, 20, false, 3, 0},
        // The sweep polls before every candidate, compared or not.
        {"uniform worst case, sweep", &s.uniform, &s.worst, 0, true, 0, 1000},
        {"many comparisons, sweep", &s.twoColor, &s.busy, 0, true, 0, 5000},
    };
    for (const StopCase& c : cases) {
        for (const auto& [name, scan] : Scanners()) {
            const std::string label = c.name + " / " + name;
            std::atomic<int32_t> flag{0};
            Stopper stopper(flag, c.atComparison, c.atMove);
            MatchInputs in = test::Inputs(*c.area, *c.picture, c.deviation);
            in.sweep = c.sweep;
            in.cursor = &stopper;
            in.probe = &stopper;
            in.stop = &flag;
            Point out;
            const bool found = scan(in, out);
            ASSERT_TRUE(stopper.fired) << label << ": the case never reached its stop point";
            EXPECT_FALSE(found) << label;
            EXPECT_EQ(stopper.movesAfter, 0) << label << ": moved on after the stop flag";
            EXPECT_LE(stopper.comparisonsAfter, stopper.AllowedComparisonsAfter())
                << label << ": compared on after the stop flag";
        }
    }
}

}  // namespace
}  // namespace qrv
