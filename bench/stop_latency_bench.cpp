#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "scenes.h"
#include "search/picture_matcher.h"

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
void StopLatency(benchmark::State& state, bool reference) {
    static const EqualCase c;
    for (auto _ : state) {
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
        state.SetIterationTime(std::chrono::duration<double>(ended - set).count());
    }
}

BENCHMARK_CAPTURE(StopLatency, equal_4k_fast, false)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(StopLatency, equal_4k_reference, true)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qrv::bench
