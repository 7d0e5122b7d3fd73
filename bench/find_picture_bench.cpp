#include <benchmark/benchmark.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "core/search/picture_matcher.h"
#include "ratio_checks.h"
#include "scenes.h"

namespace qrv::bench {
namespace {

constexpr int32_t kPictureSize = 48;
constexpr uint32_t kUniformColour = 0x3C6E9Au, kOddColour = 0xE0E0E0u;

struct SceneSpec {
    const char* name;
    int32_t width, height;
    std::function<PixelImage()> make;
    bool uniformWorst;
};

const SceneSpec kScenes[] = {
    {"desk_flat_4k", 3840, 2160, [] { return MakeDeskScene(3840, 2160, false, 11); }, false},
    {"desk_tight_4k", 3840, 2160, [] { return MakeDeskScene(3840, 2160, true, 12); }, false},
    {"noise_4k", 3840, 2160, [] { return MakeNoiseScene(3840, 2160, 13); }, false},
    {"desk_flat_1080", 1920, 1080, [] { return MakeDeskScene(1920, 1080, false, 14); }, false},
    {"uniform_worst_1080", 1920, 1080, [] { return MakeUniformScene(1920, 1080, kUniformColour); },
     true},
};

enum class Mode { Exact, Dev10, Absent };
const std::pair<const char*, Mode> kModes[] = {
    {"exact", Mode::Exact}, {"dev10", Mode::Dev10}, {"absent", Mode::Absent}};

struct FindCase {
    PixelImage area;
    PixelImage picture;
    int32_t deviation = 0;

    MatchInputs Inputs() const {
        MatchInputs in = MatchInputs::Of(area, picture);
        in.deviationRed = in.deviationGreen = in.deviationBlue = deviation;
        in.areaLeft = -1280;  // a monitor left of the primary one
        return in;
    }
};

FindCase BuildCase(const SceneSpec& spec, Mode mode) {
    FindCase c;
    c.area = spec.make();
    if (spec.uniformWorst) {
        c.picture = MakeUniformScene(kPictureSize, kPictureSize, kUniformColour);
        // Late in the last row, but not in a corner an anchor rule could favour.
        c.picture.SetPacked(kPictureSize - 2, kPictureSize - 1, kOddColour);
    } else {
        const Point spot = PictureSpot(spec.width, spec.height);
        c.picture = CutPicture(c.area, spot.x, spot.y, kPictureSize, kPictureSize);
    }
    if (mode == Mode::Dev10) {
        c.deviation = 10;
        AddChannelNoise(c.area, 3, 77);
    }
    if (mode == Mode::Absent) {
        const int32_t mid = kPictureSize / 2;
        c.picture.SetPacked(mid, mid, c.picture.PackedAt(mid, mid) ^ 0x808080u);
    }
    return c;
}

std::string Name(const SceneSpec& spec, const char* mode, const char* impl) {
    return std::string("BM_FindPicture/") + spec.name + "/" + mode + "/" + impl;
}

// Scenes are built on first use, so a filtered run builds only what it needs.
const FindCase& GetCase(const SceneSpec& spec, Mode mode) {
    static std::map<std::pair<std::string, Mode>, std::unique_ptr<FindCase>> cases;
    auto& slot = cases[{spec.name, mode}];
    if (!slot) {
        slot = std::make_unique<FindCase>(BuildCase(spec, mode));
    }
    return *slot;
}

struct Answer {
    bool found;
    Point out;
};

std::map<std::string, Answer>& ReferenceAnswers() {
    static std::map<std::string, Answer> answers;
    return answers;
}

const Answer& ReferenceAnswer(const std::string& key, const MatchInputs& in) {
    auto it = ReferenceAnswers().find(key);
    if (it == ReferenceAnswers().end()) {
        Answer a{};
        a.found = FindPictureInAreaReference(in, a.out);
        it = ReferenceAnswers().emplace(key, a).first;
    }
    return it->second;
}

void Reference(benchmark::State& state, const SceneSpec* spec, Mode mode, std::string key) {
    const MatchInputs in = GetCase(*spec, mode).Inputs();
    Answer a{};
    for (auto _ : state) {
        a.found = FindPictureInAreaReference(in, a.out);
        benchmark::DoNotOptimize(a);
    }
    ReferenceAnswers()[key] = a;
    state.counters["found"] = a.found ? 1 : 0;
}

void Fast(benchmark::State& state, const SceneSpec* spec, Mode mode, std::string key) {
    const MatchInputs in = GetCase(*spec, mode).Inputs();
    Answer a{};
    for (auto _ : state) {
        a.found = FindPictureInArea(in, a.out);
        benchmark::DoNotOptimize(a);
    }
    state.counters["found"] = a.found ? 1 : 0;
    const Answer& want = ReferenceAnswer(key, in);
    if (a.found != want.found || !(a.out == want.out)) {
        ReportMismatch(key + ": fast " + std::to_string(a.found) + " at " +
                       std::to_string(a.out.x) + "," + std::to_string(a.out.y) + ", reference " +
                       std::to_string(want.found) + " at " + std::to_string(want.out.x) + "," +
                       std::to_string(want.out.y));
    }
    // The uniform worst case holds its picture nowhere; the others only when absent.
    const bool intended = mode != Mode::Absent && !spec->uniformWorst;
    if (want.found != intended) {
        ReportMismatch(key + ": the scene does not give the intended outcome");
    }
}

// One pass over every byte of the area: the least any full scan can cost.
void ReadFloor(benchmark::State& state, const SceneSpec* spec) {
    const PixelImage& area = GetCase(*spec, Mode::Exact).area;
    for (auto _ : state) {
        uint64_t acc = 0;
        const uint8_t* p = area.Data();
        for (std::size_t i = 0; i + 8 <= area.SizeBytes(); i += 8) {
            uint64_t v;
            std::memcpy(&v, p + i, 8);
            acc += v;
        }
        benchmark::DoNotOptimize(acc);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(area.SizeBytes()));
}

// Scenes where every candidate looks right until late in the picture: the
// answer is known by construction, as the plain loops would take minutes.
constexpr uint32_t kPaper = 0xF4F4F4u, kInkColour = 0x1E1E1Eu, kGrey = 0x808080u;

struct WorstCase {
    PixelImage area;
    PixelImage picture;
    int32_t deviation = 0;
    std::optional<Point> at;  // where the picture is, when present
};

struct WorstSpec {
    const char* name;
    int32_t pictureWidth, pictureHeight;
    // Builds the area and the picture; the picture is pasted at `at` when present.
    std::function<void(WorstCase&, int32_t w, int32_t h, bool present)> make;
};

// A flat picture whose only odd pixel sits late in its last row.
PixelImage FlatWithOddPixel(int32_t w, int32_t h, uint32_t flat, uint32_t odd) {
    PixelImage picture = MakeUniformScene(w, h, flat);
    picture.SetPacked(w - 3, h - 1, odd);
    return picture;
}

// The spot where a present picture goes: right of the middle, low down, so
// most candidates come first.
Point PasteSpot(int32_t w, int32_t h, int32_t pw, int32_t ph) {
    return {(w - pw) * 3 / 4 + 1, (h - ph) * 2 / 3};
}

void Paste(PixelImage& onto, const PixelImage& picture, Point at) {
    for (int32_t y = 0; y < picture.m_iHeight; ++y) {
        std::memcpy(onto.Row(at.y + y) + std::size_t(at.x) * 4, picture.Row(y),
                    std::size_t(picture.m_iWidth) * 4);
    }
}

void FlatScene(WorstCase& c, int32_t w, int32_t h, int32_t pw, int32_t ph) {
    constexpr uint32_t kOdd = 0x1010F0u;
    c.area = MakeUniformScene(w, h, kUniformColour);
    // The odd colour occurs sparsely on the screen too.
    for (int32_t y = 5; y < h; y += 97) {
        for (int32_t x = 3; x < w; x += 89) {
            c.area.SetPacked(x, y, kOdd);
        }
    }
    c.picture = FlatWithOddPixel(pw, ph, kUniformColour, kOdd);
}

// The pattern picture with one pixel of its last row flipped; present once, in
// the other phase.
void PatternScene(WorstCase& c, int32_t w, int32_t h, int32_t pw, int32_t ph, bool stripes) {
    constexpr uint32_t kA = 0x2050A0u, kB = 0xC0C0C0u;
    c.area = MakePatternScene(w, h, kA, kB, stripes);
    c.picture = MakePatternScene(pw, ph, kB, kA, stripes);  // the phase of odd offsets
    const uint32_t last = c.picture.PackedAt(pw - 3, ph - 1);
    c.picture.SetPacked(pw - 3, ph - 1, last == kA ? kB : kA);
}

const WorstSpec kWorstScenes[] = {
    {"flat", 200, 120,
     [](WorstCase& c, int32_t w, int32_t h, bool) { FlatScene(c, w, h, 200, 120); }},
    {"flat_large", 960, 540,
     [](WorstCase& c, int32_t w, int32_t h, bool) { FlatScene(c, w, h, 960, 540); }},
    {"checker", 200, 120,
     [](WorstCase& c, int32_t w, int32_t h, bool) { PatternScene(c, w, h, 200, 120, false); }},
    {"stripes", 200, 120,
     [](WorstCase& c, int32_t w, int32_t h, bool) { PatternScene(c, w, h, 200, 120, true); }},
    {"grey_dev128", 200, 120,
     [](WorstCase& c, int32_t w, int32_t h, bool) {
         // The picture's grey lies within 128 of the area's; its black pixel 129
         // away, and 130 from the picture's own grey.
         c.area = MakeUniformScene(w, h, kGrey + 0x010101u);
         c.picture = FlatWithOddPixel(200, 120, kGrey + 0x020202u, 0x000000u);
         c.deviation = 128;
     }},
    {"text", 48, 11,
     [](WorstCase& c, int32_t w, int32_t h, bool present) {
         c.area = MakeTextPage(w, h, kInkColour, kPaper, 21);
         // A word at the start of the right-hand text column, near the bottom.
         const int32_t line = (h - 12) / 12 - 2;
         const Point word{w / 2 - 2, 4 + 12 * line - 2};
         c.picture = CutPicture(c.area, word.x, word.y, 48, 11);
         if (present) {
             c.at = word;
         } else {
             const uint32_t last = c.picture.PackedAt(45, 10);
             c.picture.SetPacked(45, 10, last == kPaper ? kInkColour : kPaper);
         }
     }},
};

WorstCase BuildWorst(const WorstSpec& spec, int32_t w, int32_t h, bool present) {
    WorstCase c;
    spec.make(c, w, h, present);
    if (present && !c.at) {
        c.at = PasteSpot(w, h, spec.pictureWidth, spec.pictureHeight);
        Paste(c.area, c.picture, *c.at);
    }
    return c;
}

void Worst(benchmark::State& state, const WorstSpec* spec, int32_t w, int32_t h, bool present,
           std::string key) {
    const WorstCase c = BuildWorst(*spec, w, h, present);
    MatchInputs in = MatchInputs::Of(c.area, c.picture);
    in.deviationRed = in.deviationGreen = in.deviationBlue = c.deviation;
    Answer a{};
    for (auto _ : state) {
        a.found = FindPictureInArea(in, a.out);
        benchmark::DoNotOptimize(a);
    }
    state.counters["found"] = a.found ? 1 : 0;
    const Point want =
        c.at ? *c.at : Point{w - spec->pictureWidth, h - spec->pictureHeight};  // last candidate
    if (a.found != c.at.has_value() || !(a.out == want)) {
        ReportMismatch(key + ": found " + std::to_string(a.found) + " at " +
                       std::to_string(a.out.x) + "," + std::to_string(a.out.y) + ", built to be " +
                       (c.at ? "present" : "absent") + " at " + std::to_string(want.x) + "," +
                       std::to_string(want.y));
    }
}

struct Registration {
    Registration() {
        benchmark::RegisterBenchmark("BM_ReadFloor/4k", ReadFloor, &kScenes[0])
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_ReadFloor/1080", ReadFloor, &kScenes[3])
            ->Unit(benchmark::kMillisecond);
        for (const SceneSpec& spec : kScenes) {
            for (const auto& [mode, m] : kModes) {
                const std::string key = std::string(spec.name) + "/" + mode;
                const std::string reference = Name(spec, mode, "reference");
                const std::string fast = Name(spec, mode, "fast");
                // Slow ones run a single iteration once it exceeds the minimum time;
                // no iteration or time-type modifiers, which would change the names.
                benchmark::RegisterBenchmark(reference.c_str(), Reference, &spec, m, key)
                    ->Unit(benchmark::kMillisecond);
                benchmark::RegisterBenchmark(fast.c_str(), Fast, &spec, m, key)
                    ->Unit(benchmark::kMillisecond);
                AddChecks(spec, mode, reference, fast);
            }
        }
        RegisterWorstCases();
    }

    static void RegisterWorstCases() {
        const std::tuple<const char*, int32_t, int32_t> sizes[] = {{"1080", 1920, 1080},
                                                                   {"4k", 3840, 2160}};
        for (const WorstSpec& spec : kWorstScenes) {
            for (const auto& [res, w, h] : sizes) {
                for (const bool present : {true, false}) {
                    const std::string key =
                        std::string(spec.name) + "_" + res + "/" + (present ? "present" : "absent");
                    const std::string name = "BM_FindPicture/" + key + "/fast";
                    benchmark::RegisterBenchmark(name.c_str(), Worst, &spec, w, h, present, key)
                        ->Unit(benchmark::kMillisecond);
                    AddRatioCheck(key + " vs one read", name, std::string("BM_ReadFloor/") + res,
                                  10);
                }
            }
        }
    }

    static void AddChecks(const SceneSpec& spec, const std::string& mode,
                          const std::string& reference, const std::string& fast) {
        const std::string label = std::string(spec.name) + "/" + mode;
        if (std::string(spec.name) == "desk_flat_4k" && mode != "absent") {
            AddRatioCheck(label + " speed-up", reference, fast, 200, true);
        }
        if (spec.uniformWorst) {
            AddRatioCheck(label + " vs one read", fast, "BM_ReadFloor/1080", 10);
        } else {
            AddRatioCheck(label + " vs one read", fast,
                          spec.width == 3840 ? "BM_ReadFloor/4k" : "BM_ReadFloor/1080", 1.5);
        }
        if (spec.uniformWorst) {
            AddTimeTarget(label + " fast", fast, 50);
        }
    }
} registration;

}  // namespace
}  // namespace qrv::bench
