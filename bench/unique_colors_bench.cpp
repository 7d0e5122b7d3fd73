#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/base/pixel_image.h"
#include "core/colors/chained_color_set.h"
#include "core/colors/color_set.h"
#include "ratio_checks.h"

namespace qrv::bench {
namespace {

uint8_t Clamp8(double v) {
    return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// Smoothly interpolated random values on a coarse grid.
class ValueNoise {
  public:
    ValueNoise(int cell, int width, int height, uint32_t seed)
        : m_cell(cell), m_columns(width / cell + 2) {
        std::mt19937 rng(seed);
        std::uniform_real_distribution<double> dist(-1.0, 1.0);
        m_values.resize(std::size_t(m_columns) * std::size_t(height / cell + 2));
        for (double& v : m_values) {
            v = dist(rng);
        }
    }
    double At(int x, int y) const {
        const int cx = x / m_cell, cy = y / m_cell;
        const double fx = Smooth(double(x % m_cell) / m_cell);
        const double fy = Smooth(double(y % m_cell) / m_cell);
        const double top = Lerp(Value(cx, cy), Value(cx + 1, cy), fx);
        const double bottom = Lerp(Value(cx, cy + 1), Value(cx + 1, cy + 1), fx);
        return Lerp(top, bottom, fy);
    }

  private:
    static double Smooth(double t) { return t * t * (3 - 2 * t); }
    static double Lerp(double a, double b, double t) { return a + (b - a) * t; }
    double Value(int cx, int cy) const { return m_values[std::size_t(cy) * m_columns + cx]; }

    int m_cell, m_columns;
    std::vector<double> m_values;
};

// A photo-like picture: a sky-to-ground gradient, broad shading and soft
// low-frequency variation per channel.
PixelImage MakePhoto(int32_t width, int32_t height) {
    PixelImage image(width, height);
    const ValueNoise light(240, width, height, 1), red(160, width, height, 2),
        green(200, width, height, 3), blue(120, width, height, 4);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* p = image.Row(y);
        for (int32_t x = 0; x < width; ++x, p += 4) {
            const double t = double(y) / height;
            const double shade = 40 * light.At(x, y) + 20 * std::sin(x * 0.004 + y * 0.003);
            p[2] = Clamp8(90 + 80 * t + shade + 38 * red.At(x, y));
            p[1] = Clamp8(120 + 30 * t + shade + 38 * green.At(x, y));
            p[0] = Clamp8(200 - 140 * t + shade + 38 * blue.At(x, y));
        }
    }
    return image;
}

void FillRect(PixelImage& image, int32_t left, int32_t top, int32_t w, int32_t h, uint32_t c) {
    for (int32_t y = top; y < top + h && y < image.m_iHeight; ++y) {
        for (int32_t x = left; x < left + w && x < image.m_iWidth; ++x) {
            image.SetPacked(x, y, c);
        }
    }
}

// A screen of overlapping windows: flat backgrounds, title-bar gradients,
// buttons and lines of anti-aliased text in a few grey levels.
PixelImage MakeDesktop(int32_t width, int32_t height) {
    PixelImage image(width, height);
    FillRect(image, 0, 0, width, height, 0x804020);
    std::mt19937 rng(7);
    for (int window = 0; window < 6; ++window) {
        const int32_t left = static_cast<int32_t>(rng() % (width / 2));
        const int32_t top = static_cast<int32_t>(rng() % (height / 2));
        const int32_t w = 500 + static_cast<int32_t>(rng() % 700);
        const int32_t h = 300 + static_cast<int32_t>(rng() % 400);
        FillRect(image, left, top, w, h, 0xF0F0F0);
        for (int32_t row = 0; row < 30; ++row) {
            const auto level = static_cast<uint32_t>(200 - row * 2);
            FillRect(image, left, top + row, w, 1, level << 16 | (level - 60) << 8 | 0x30);
        }
        for (int32_t line = 0; line < h / 24 - 2; ++line) {
            const int32_t baseline = top + 40 + line * 20;
            for (int32_t x = left + 10; x < left + w - 10; ++x) {
                const uint32_t grey = (rng() % 5) * 48;
                if (rng() % 3 == 0) {
                    FillRect(image, x, baseline + int32_t(rng() % 10), 1, 2,
                             grey << 16 | grey << 8 | grey);
                }
            }
        }
        FillRect(image, left + w - 90, top + h - 40, 80, 28, 0xE1E1E1);
        FillRect(image, left + w - 90, top + h - 40, 80, 1, 0xD77800);
    }
    FillRect(image, 0, height - 48, width, 48, 0x202020);
    return image;
}

PixelImage MakeNoise(int32_t width, int32_t height) {
    PixelImage image(width, height);
    std::mt19937 rng(11);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            image.SetPacked(x, y, rng() & 0xFFFFFF);
        }
    }
    return image;
}

// Compares the list order of a part of the image with the chained reference.
void CheckAgainstReference(const PixelImage& image, const std::string& name) {
    const int32_t w = std::min(image.m_iWidth, 240), h = std::min(image.m_iHeight, 160);
    ColorSet fast;
    ChainedColorSet reference;
    for (int32_t y = 0; y < h; ++y) {
        fast.InsertPixels(image.Row(y), std::size_t(w));
        for (int32_t x = 0; x < w; ++x) {
            reference.Insert(image.PackedAt(x, y));
        }
    }
    const auto ordered = fast.Ordered();
    if (std::vector<uint32_t>(ordered.begin(), ordered.end()) != reference.Ordered()) {
        ReportMismatch("BM_UniqueColours/" + name + ": order differs from the chained reference");
    }
}

void UniqueColors(benchmark::State& state, PixelImage (*make)(int32_t, int32_t), int32_t width,
                  int32_t height, const std::string& name) {
    const PixelImage image = make(width, height);
    CheckAgainstReference(image, name);
    std::size_t count = 0;
    for (auto _ : state) {
        ColorSet set;
        set.InsertImage(image);
        const auto ordered = set.Ordered();
        benchmark::DoNotOptimize(ordered.data());
        count = ordered.size();
    }
    state.counters["colours"] = static_cast<double>(count);
}

struct Registration {
    Registration() {
        struct Scene {
            const char* name;
            PixelImage (*make)(int32_t, int32_t);
            int32_t width, height;
            double maxMs;
        };
        const Scene scenes[] = {{"photo_1080", MakePhoto, 1920, 1080, 15},
                                {"desktop_1080", MakeDesktop, 1920, 1080, 10},
                                {"noise_4k", MakeNoise, 3840, 2160, 150}};
        for (const Scene& s : scenes) {
            const std::string name = std::string("BM_UniqueColours/") + s.name;
            benchmark::RegisterBenchmark(name.c_str(), UniqueColors, s.make, s.width, s.height,
                                         std::string(s.name))
                ->Unit(benchmark::kMillisecond);
            AddTimeTarget(name, name, s.maxMs);
        }
    }
} registration;

}  // namespace
}  // namespace qrv::bench
