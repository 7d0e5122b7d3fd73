#include <benchmark/benchmark.h>

#include <string>

#include "core/search/match_explainer.h"
#include "ratio_checks.h"
#include "scenes.h"

namespace qrv::bench {
namespace {

// A near miss: the 4K desk scene and its notification icon with a few channels
// moved by up to 16, so the closest candidate and its needs are known.
struct NearMissCase {
    PixelImage area = MakeDeskScene(3840, 2160, false, 11);
    Point spot = PictureSpot(3840, 2160);
    PixelImage picture = CutPicture(area, spot.x, spot.y, 48, 48);
    int32_t need[3] = {16, 11, 7};  // red, green, blue

    NearMissCase() {
        Move(5, 7, 2, need[0]);
        Move(20, 30, 1, need[1]);
        Move(40, 12, 0, need[2]);
        Move(33, 40, 2, need[0] / 2);
    }

    // Moves one channel byte away from its clamp by `by`.
    void Move(int32_t x, int32_t y, int byte, int32_t by) {
        uint8_t& c = picture.Row(y)[x * 4 + byte];
        c = uint8_t(c > 127 ? c - by : c + by);
    }
};

void Explain(benchmark::State& state) {
    static const NearMissCase c;
    MatchExplanation e;
    for (auto _ : state) {
        e = ExplainMatch(MatchInputs::Of(c.area, c.picture));
        benchmark::DoNotOptimize(e);
    }
    if (!(e.closest == c.spot) || e.needRed != c.need[0] || e.needGreen != c.need[1] ||
        e.needBlue != c.need[2]) {
        ReportMismatch("BM_Explain/desk_flat_4k/near: closest " + std::to_string(e.closest.x) +
                       "," + std::to_string(e.closest.y) + " needing " + std::to_string(e.needRed) +
                       "," + std::to_string(e.needGreen) + "," + std::to_string(e.needBlue) +
                       ", built to be at " + std::to_string(c.spot.x) + "," +
                       std::to_string(c.spot.y) + " needing " + std::to_string(c.need[0]) + "," +
                       std::to_string(c.need[1]) + "," + std::to_string(c.need[2]));
    }
}

// A far miss: the icon with its middle pixel turned to the opposite colour,
// so the closest candidate needs about half the range.
void ExplainFar(benchmark::State& state) {
    static const NearMissCase c;
    static const PixelImage far = [] {
        PixelImage p = CutPicture(c.area, c.spot.x, c.spot.y, 48, 48);
        p.SetPacked(24, 24, p.PackedAt(24, 24) ^ 0x808080u);
        return p;
    }();
    MatchExplanation e;
    for (auto _ : state) {
        e = ExplainMatch(MatchInputs::Of(c.area, far));
        benchmark::DoNotOptimize(e);
    }
    state.counters["need"] = e.LargestNeed();
}

struct Registration {
    Registration() {
        benchmark::RegisterBenchmark("BM_Explain/desk_flat_4k/near", Explain)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_Explain/desk_flat_4k/far", ExplainFar)
            ->Unit(benchmark::kMillisecond);
        AddRatioCheck("explaining a near miss vs one find", "BM_Explain/desk_flat_4k/near",
                      "BM_FindPicture/desk_flat_4k/dev10/fast", 10);
    }
} registration;

}  // namespace
}  // namespace qrv::bench
