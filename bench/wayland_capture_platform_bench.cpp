// Screen capture through wlr-screencopy against a live wlroots compositor:
// scripts/bench-wayland.sh runs it inside the headless sway of the Wayland
// tests, whose primary output is 1920x1080. Without WAYLAND_DISPLAY it skips.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "core/base/pixel_image.h"
#include "platform/wayland/wayland_display_layout.h"
#include "platform/wayland/wayland_screen_source.h"
#include "ratio_checks.h"

namespace qrv::bench {
namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;

// The same pixels read through the pieced-together path: an area one column
// wider to the left, which no single output holds.
bool MatchesPiecedCapture(WaylandScreenSource& source, const PixelImage& image) {
    PixelImage wider;
    if (!source.Capture({-1, 0, kWidth, kHeight}, wider)) {
        return false;
    }
    for (int32_t y = 0; y < kHeight; ++y) {
        if (std::memcmp(wider.Row(y) + 4, image.Row(y), std::size_t(kWidth) * 4) != 0) {
            return false;
        }
    }
    return true;
}

void CaptureWayland(benchmark::State& state) {
    if (!std::getenv("WAYLAND_DISPLAY")) {
        state.SkipWithError("no Wayland compositor");
        return;
    }
    WaylandDisplayLayout layout;
    const Rect primary = layout.Monitors().empty() ? Rect{} : layout.Monitors().front();
    if (primary.Width() < kWidth || primary.Height() < kHeight) {
        state.SkipWithError("primary output smaller than 1920x1080");
        return;
    }
    WaylandScreenSource source;
    PixelImage image;
    const Rect area{primary.left, primary.top, primary.left + kWidth, primary.top + kHeight};
    source.Prepare(area, image);
    for (auto _ : state) {
        source.Capture(area, image);
        benchmark::DoNotOptimize(image.Data());
    }
    if (primary.left == 0 && !MatchesPiecedCapture(source, image)) {
        ReportMismatch("BM_Capture/wayland_1080: differs from the same pixels read in pieces");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(image.SizeBytes()));
}

[[maybe_unused]] const bool kRegistered = [] {
    benchmark::RegisterBenchmark("BM_Capture/wayland_1080", CaptureWayland)
        ->Unit(benchmark::kMillisecond);
    AddRatioCheck("wayland screencopy 1080 vs memcpy", "BM_Capture/wayland_1080", "BM_Memcpy/1080",
                  2.0);
    return true;
}();

}  // namespace
}  // namespace qrv::bench
