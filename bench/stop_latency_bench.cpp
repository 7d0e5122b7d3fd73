#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "core/search/picture_matcher.h"
#include "scenes.h"

namespace qrv::bench {
namespace {

using Clock = std::chrono::steady_clock;

// Tells the waiting thread that the scan has begun a full comparison.
class StartSignal : public ScanProbe {
  public:
    void ComparisonStarts(int32_t, int32_t) override {
        started.store(true, std::memory_order_release);
    }
    std::atomic<bool> started{false};
};

// The picture equal to a noisy 4k area: one candidate whose comparison takes
// a whole read, so the flag always arrives in the middle of it.
struct EqualCase {
    PixelImage area = MakeNoiseScene(3840, 2160, 29);
    PixelImage picture{3840, 2160};
    EqualCase() { std::memcpy(picture.Data(), area.Data(), area.SizeBytes()); }
};

// Time from setting the stop flag on this thread to the scan's end on another.
double StopLatencyUs(const EqualCase& c, bool reference) {
    std::atomic<int32_t> stop{0};
    StartSignal signal;
    MatchInputs in = MatchInputs::Of(c.area, c.picture);
    in.stop = &stop;
    in.probe = &signal;
    Clock::time_point ended;
    std::thread worker([&] {
        Point out;
        const bool found =
            reference ? FindPictureInAreaReference(in, out) : FindPictureInArea(in, out);
        ended = Clock::now();
        benchmark::DoNotOptimize(found);
    });
    while (!signal.started.load(std::memory_order_acquire)) {
        std::this_thread::yield();
    }
    const Clock::time_point set = Clock::now();
    stop.store(1, std::memory_order_relaxed);
    worker.join();
    return std::chrono::duration<double, std::micro>(ended - set).count();
}

// Reports the median and the worst of a set of stops as counters (microseconds;
// a scan that ended before the flag counts 0).
void StopLatency(benchmark::State& state, bool reference) {
    static const EqualCase c;
    constexpr int kStops = 31;
    std::vector<double> us;
    for (auto _ : state) {
        us.clear();
        for (int i = 0; i < kStops; ++i) {
            us.push_back(std::max(0.0, StopLatencyUs(c, reference)));
        }
    }
    std::sort(us.begin(), us.end());
    state.counters["median_us"] = us[us.size() / 2];
    state.counters["max_us"] = us.back();
}

BENCHMARK_CAPTURE(StopLatency, equal_4k_fast, false)->Iterations(1);
BENCHMARK_CAPTURE(StopLatency, equal_4k_reference, true)->Iterations(1);

}  // namespace
}  // namespace qrv::bench
