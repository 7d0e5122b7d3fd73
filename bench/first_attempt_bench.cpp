#include <benchmark/benchmark.h>

#include "core/search/image_screen_source.h"
#include "core/search/picture_matcher.h"
#include "ratio_checks.h"
#include "scenes.h"

namespace qrv::bench {
namespace {

// One attempt's own work, capture and scan, into an area image that is
// fresh, prepared before the clock, or reused from the attempt before.
enum class Area { Fresh, Prepared, Reused };

struct Screen {
    ImageScreenSource source{MakeDeskScene(3840, 2160, false, 11), {0, 0}};
    PixelImage picture;
    Screen() {
        PixelImage area;
        source.Capture({0, 0, 3840, 2160}, area);
        const Point spot = PictureSpot(3840, 2160);
        picture = CutPicture(area, spot.x, spot.y, 48, 48);
    }
};

// One column short of whole rows, so that captures copy the pixels as a live
// screen's would instead of showing the screen image in place.
constexpr Rect kArea{1, 0, 3840, 2160};

void Attempt(benchmark::State& state, Area kind) {
    static Screen screen;
    PixelImage reused;
    screen.source.Capture(kArea, reused);
    for (auto _ : state) {
        PixelImage fresh;
        if (kind == Area::Prepared) {
            state.PauseTiming();
            screen.source.Prepare(kArea, fresh);
            state.ResumeTiming();
        }
        PixelImage& area = kind == Area::Reused ? reused : fresh;
        screen.source.Capture(kArea, area);
        Point out;
        benchmark::DoNotOptimize(FindPictureInArea(MatchInputs::Of(area, screen.picture), out));
        if (kind != Area::Reused) {
            state.PauseTiming();
            area.Clear();  // the run's end, outside the attempt
            state.ResumeTiming();
        }
    }
}

struct Registration {
    Registration() {
        const std::pair<const char*, Area> kinds[] = {
            {"BM_Attempt/desk_4k/first_fresh", Area::Fresh},
            {"BM_Attempt/desk_4k/first_prepared", Area::Prepared},
            {"BM_Attempt/desk_4k/later", Area::Reused}};
        for (const auto& [name, kind] : kinds) {
            benchmark::RegisterBenchmark(name, Attempt, kind)->Unit(benchmark::kMillisecond);
        }
        AddRatioCheck("first attempt vs a later one", "BM_Attempt/desk_4k/first_prepared",
                      "BM_Attempt/desk_4k/later", 3);
    }
} registration;

}  // namespace
}  // namespace qrv::bench
