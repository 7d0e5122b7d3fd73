#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "matcher_test_support.h"

namespace qrv {
namespace {

using Clock = std::chrono::steady_clock;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || \
    __has_feature(undefined_behavior_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// How long a scan may go on after the stop flag is set.
constexpr auto kStopBound =
    kSanitized ? std::chrono::microseconds(50000) : std::chrono::microseconds(1000);

constexpr int32_t kWidth = 3840, kHeight = 2160;
constexpr uint32_t kC = 0x406080u, kD = 0x804020u, kOdd = 0xF0F0F0u;

// Two colours at random.
void FillTwoColours(PixelImage& image, uint32_t& state) {
    for (int32_t y = 0; y < image.m_iHeight; ++y) {
        for (int32_t x = 0; x < image.m_iWidth; ++x) {
            state ^= state << 13, state ^= state >> 17, state ^= state << 5;
            image.SetPacked(x, y, (state & 1) ? kC : kD);
        }
    }
}

struct Scenes {
    PixelImage uniform = test::Filled(kWidth, kHeight, kC);
    PixelImage twoColour{kWidth, kHeight};
    PixelImage uniformLarge = test::Filled(kWidth, kHeight, kC);  // the area but its last pixel
    PixelImage twoColourLarge;                                    // likewise
    PixelImage worst = test::Filled(48, 48, kC);                  // uniform but its last pixel
    PixelImage busy{48, 48};  // two colours, nowhere in the area

    Scenes() {
        uint32_t state = 2463534242u;
        FillTwoColours(twoColour, state);
        FillTwoColours(busy, state);
        uniformLarge.SetPacked(kWidth - 1, kHeight - 1, kOdd);
        twoColourLarge.Reset(kWidth, kHeight);
        std::memcpy(twoColourLarge.Data(), twoColour.Data(), twoColour.SizeBytes());
        const bool lastIsC = twoColour.PackedAt(kWidth - 1, kHeight - 1) == kC;
        twoColourLarge.SetPacked(kWidth - 1, kHeight - 1, lastIsC ? kD : kC);
        worst.SetPacked(47, 47, kOdd);
    }
};

class NoCursor : public CursorSweep {
  public:
    void MoveTo(Point) override {}
};

struct StopCase {
    std::string name;
    const PixelImage* area;
    const PixelImage* picture;
    int32_t deviation;
    bool sweep;
    bool longForFastPaths;  // the reference is long on every case
};

using Scan = std::function<bool(const MatchInputs&, Point&)>;

std::vector<std::pair<std::string, Scan>> Scanners(bool withFastPaths) {
    std::vector<std::pair<std::string, Scan>> scanners = {
        {"reference",
         [](const MatchInputs& in, Point& out) { return FindPictureInAreaReference(in, out); }}};
    const std::pair<const char*, MatcherPath> paths[] = {
        {"scalar", MatcherPath::Scalar}, {"sse2", MatcherPath::Sse2}, {"avx2", MatcherPath::Avx2}};
    for (const auto& [name, path] : paths) {
        if (withFastPaths && MatcherPathAvailable(path)) {
            scanners.push_back({name, [path = path](const MatchInputs& in, Point& out) {
                                    return FindPictureInArea(in, out, path);
                                }});
        }
    }
    return scanners;
}

// Starts the scan on a thread, sets the stop flag shortly after, and returns
// how long the scan went on after that; negative when it ended before.
Clock::duration StopLatency(const Scan& scan, MatchInputs in, bool& found) {
    std::atomic<int32_t> stop{0};
    std::atomic<bool> started{false};
    in.stop = &stop;
    Clock::time_point ended;
    std::thread worker([&] {
        started.store(true);
        Point out;
        found = scan(in, out);
        ended = Clock::now();
    });
    while (!started.load()) {
        std::this_thread::yield();
    }
    std::this_thread::sleep_for(std::chrono::microseconds(300));
    const Clock::time_point set = Clock::now();
    stop.store(1, std::memory_order_relaxed);
    worker.join();
    return ended - set;
}

TEST(PictureMatcherStopTest, A4kScanEndsPromptlyAfterTheStopFlag) {
    const Scenes scenes;
    NoCursor cursor;
    const StopCase cases[] = {
        {"picture as large as the area", &scenes.twoColour, &scenes.twoColourLarge, 0, false, true},
        {"uniform picture as large as the area", &scenes.uniform, &scenes.uniformLarge, 0, false,
         false},
        {"uniform worst case", &scenes.uniform, &scenes.worst, 0, false, false},
        {"uniform worst case, sweep", &scenes.uniform, &scenes.worst, 0, true, true},
        {"many anchor hits", &scenes.twoColour, &scenes.busy, 0, false, true},
        {"many anchor hits, deviation", &scenes.twoColour, &scenes.busy, 20, false, true},
    };
    for (const StopCase& c : cases) {
        MatchInputs in = test::Inputs(*c.area, *c.picture, c.deviation);
        in.sweep = c.sweep;
        in.cursor = &cursor;
        for (const auto& [name, scan] : Scanners(c.longForFastPaths)) {
            // The scan's own polling decides the latency; a thread the system
            // did not schedule can only make it longer. So the best of three
            // stops must meet the bound, and every stop must end unfound.
            Clock::duration best = Clock::duration::max();
            for (int rep = 0; rep < 3; ++rep) {
                bool found = true;
                const Clock::duration latency = StopLatency(scan, in, found);
                EXPECT_FALSE(found) << c.name << " / " << name;
                EXPECT_GE(latency.count(), 0) << c.name << " / " << name << ": ended unstopped";
                best = std::min(best, latency);
            }
            const auto us = std::chrono::duration_cast<std::chrono::microseconds>(best);
            EXPECT_LT(best, kStopBound)
                << c.name << " / " << name << ": " << us.count() << " us after the stop flag";
        }
    }
}

}  // namespace
}  // namespace qrv
