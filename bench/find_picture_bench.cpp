#include <benchmark/benchmark.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "ratio_checks.h"
#include "scenes.h"
#include "search/picture_matcher.h"

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
        c.picture.SetPacked(kPictureSize - 1, kPictureSize - 1, kOddColour);
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
    }

    static void AddChecks(const SceneSpec& spec, const std::string& mode,
                          const std::string& reference, const std::string& fast) {
        const std::string label = std::string(spec.name) + "/" + mode;
        if (std::string(spec.name) == "desk_flat_4k" && mode != "absent") {
            AddRatioCheck(label + " speed-up", reference, fast, 200, true);
        }
        if (spec.width == 3840) {
            AddRatioCheck(label + " vs one read", fast, "BM_ReadFloor/4k", 5);
        }
        if (spec.uniformWorst) {
            AddTimeTarget(label + " fast", fast, 50);
        }
    }
} registration;

}  // namespace
}  // namespace qrv::bench
