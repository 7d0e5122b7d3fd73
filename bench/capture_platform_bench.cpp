// Screen capture against a live X display. Run under a 3840x2160 screen for
// the 4k cases: scripts/bench-capture.sh starts one
// (Xvfb -screen 0 3840x2160x24); on a smaller screen they are skipped.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/base/pixel_image.h"
#include "core/search/picture_matcher.h"
#include "platform/x11/x_desktop_geometry.h"
#include "platform/x11/x_display_layout.h"
#include "platform/x11/x_screen_source.h"
#include "ratio_checks.h"
#include "scenes.h"

namespace qrv::bench {
namespace {

// Shows an image on the screen in a window that no window manager moves,
// with its top-left on the primary monitor's top-left.
class ShownImage {
  public:
    explicit ShownImage(const PixelImage& image) : m_display(XOpenDisplay(nullptr)) {
        if (!m_display) {
            return;
        }
        Point origin = XDesktopGeometry::Query(m_display).Origin();
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        int screen = DefaultScreen(m_display);
        m_window =
            XCreateWindow(m_display, DefaultRootWindow(m_display), origin.x, origin.y,
                          unsigned(image.m_iWidth), unsigned(image.m_iHeight), 0, CopyFromParent,
                          InputOutput, CopyFromParent, CWOverrideRedirect, &attributes);
        XMapWindow(m_display, m_window);
        XSync(m_display, False);
        std::vector<uint8_t> pixels(image.Data(), image.Data() + image.SizeBytes());
        XImage* x = XCreateImage(m_display, DefaultVisual(m_display, screen),
                                 unsigned(DefaultDepth(m_display, screen)), ZPixmap, 0,
                                 reinterpret_cast<char*>(pixels.data()), unsigned(image.m_iWidth),
                                 unsigned(image.m_iHeight), 32, 0);
        XPutImage(m_display, m_window, DefaultGC(m_display, screen), x, 0, 0, 0, 0,
                  unsigned(image.m_iWidth), unsigned(image.m_iHeight));
        x->data = nullptr;
        XDestroyImage(x);
        XSync(m_display, False);
    }
    ~ShownImage() {
        if (m_display) {
            XDestroyWindow(m_display, m_window);
            XCloseDisplay(m_display);
        }
    }
    ShownImage(const ShownImage&) = delete;
    ShownImage& operator=(const ShownImage&) = delete;

  private:
    Display* m_display;
    Window m_window = 0;
};

bool ScreenHolds(int32_t width, int32_t height) {
    XDisplayLayout layout;
    if (!layout.Connected()) {
        return false;
    }
    Rect primary = layout.Monitors().front();
    return primary.Width() >= width && primary.Height() >= height;
}

void Capture(benchmark::State& state, int32_t width, int32_t height) {
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("no display");
        return;
    }
    if (!ScreenHolds(width, height)) {
        state.SkipWithError("primary monitor smaller than the area");
        return;
    }
    PixelImage scene = MakeDeskScene(width, height, false, 7);
    ShownImage shown(scene);
    XScreenSource source;
    PixelImage image;
    for (auto _ : state) {
        source.Capture({0, 0, width, height}, image);
        benchmark::DoNotOptimize(image.Data());
    }
    if (!SameColors(image, scene)) {
        ReportMismatch("BM_Capture: captured pixels differ from the drawn scene");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(image.SizeBytes()));
}

// One search attempt: capture the area, then scan it for a picture cut from
// the scene shown there.
void Attempt(benchmark::State& state) {
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("no display");
        return;
    }
    constexpr int32_t kWidth = 1920;
    constexpr int32_t kHeight = 1080;
    PixelImage scene = MakeDeskScene(kWidth, kHeight, false, 11);
    Point spot = PictureSpot(kWidth, kHeight);
    PixelImage picture = CutPicture(scene, spot.x, spot.y, 48, 48);
    ShownImage shown(scene);
    XScreenSource source;
    PixelImage area;
    Point found;
    bool matched = false;
    for (auto _ : state) {
        source.Capture({0, 0, kWidth, kHeight}, area);
        const MatchInputs in = MatchInputs::Of(area, picture);
        matched = FindPictureInArea(in, found);
        benchmark::DoNotOptimize(found);
    }
    if (!matched || !(found == spot)) {
        ReportMismatch("BM_Attempt: picture not found where it was cut");
    }
}

struct Size {
    const char* label;
    int32_t width;
    int32_t height;
};
constexpr Size kSizes[] = {{"1080", 1920, 1080}, {"4k", 3840, 2160}};

[[maybe_unused]] const bool kRegistered = [] {
    for (const Size& s : kSizes) {
        std::string capture = std::string("BM_Capture/") + s.label;
        std::string copy = std::string("BM_Memcpy/") + s.label;
        benchmark::RegisterBenchmark(capture.c_str(), Capture, s.width, s.height)
            ->Unit(benchmark::kMillisecond);
        AddRatioCheck(std::string("capture ") + s.label + " vs memcpy", capture, copy, 2.0);
    }
    benchmark::RegisterBenchmark("BM_Attempt/desk_flat_1080", Attempt)
        ->Unit(benchmark::kMillisecond);
    AddTimeTarget("one attempt on a flat 1080p desk", "BM_Attempt/desk_flat_1080", 10.0);
    return true;
}();

}  // namespace
}  // namespace qrv::bench
