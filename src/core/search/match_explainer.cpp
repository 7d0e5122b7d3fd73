#include "core/search/match_explainer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/search/picture_matcher_kernels.h"

namespace qrv {

namespace {

constexpr int32_t kWidestDeviation = 255;  // every colour lies within it of every other

// The scan of `in` with one deviation for all channels, at origin (0, 0), so
// that a match comes out as an area offset.
bool FindWithin(const MatchInputs& in, int32_t deviation, MatcherPath path, Point& offset) {
    MatchInputs uniform = in;
    uniform.deviationRed = uniform.deviationGreen = uniform.deviationBlue = deviation;
    uniform.areaLeft = uniform.areaTop = 0;
    return FindPictureInArea(uniform, offset, path);
}

// The smallest uniform deviation a miss with the given deviations leaves possible.
int32_t LowestAfterMiss(const MatchInputs& in) {
    const matcher::Tolerance t =
        matcher::NormaliseDeviations(in.deviationRed, in.deviationGreen, in.deviationBlue);
    if (t.matchesNothing) {
        return 0;
    }
    const int32_t smallest =
        int32_t(std::min({t.bytes & 0xFF, (t.bytes >> 8) & 0xFF, (t.bytes >> 16) & 0xFF}));
    return std::min(smallest + 1, kWidestDeviation);
}

int32_t Distance(uint8_t a, uint8_t b) {
    return std::abs(int32_t(a) - int32_t(b));
}

}  // namespace

int32_t MatchExplanation::LargestNeed() const {
    return std::max({needRed, needGreen, needBlue});
}

std::string ExplanationText(const MatchExplanation& e, const MatchInputs& in) {
    if (!e.fits) {
        return LargerPictureText(in.pictureWidth, in.pictureHeight, in.areaWidth, in.areaHeight);
    }
    char text[256];
    std::snprintf(text, sizeof text,
                  "Closest match at %d,%d needs deviation %d,%d,%d\n"
                  "%lld of %lld pixels differ by more than the given deviation",
                  e.closest.x, e.closest.y, e.needRed, e.needGreen, e.needBlue,
                  static_cast<long long>(e.differing), static_cast<long long>(e.compared));
    return text;
}

std::string LargerPictureText(int64_t pictureWidth, int64_t pictureHeight, int64_t areaWidth,
                              int64_t areaHeight) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "The picture (%lld x %lld) is larger than the area (%lld x %lld), so it can "
                  "never match there",
                  static_cast<long long>(pictureWidth), static_cast<long long>(pictureHeight),
                  static_cast<long long>(areaWidth), static_cast<long long>(areaHeight));
    return text;
}

MatchExplanation MeasureCandidate(const MatchInputs& in, int32_t ox, int32_t oy) {
    MatchExplanation e;
    e.fits = true;
    e.closest = matcher::CandidatePoint(in, ox, oy);
    for (int32_t y = 0; y < in.pictureHeight; ++y) {
        const uint8_t* a = in.area->Row(oy + y) + std::size_t(ox) * 4;
        const uint8_t* p = in.picture->Row(y);
        for (int32_t x = 0; x < in.pictureWidth; ++x, a += 4, p += 4) {
            if (!PixelCompared(in, p)) {
                continue;
            }
            ++e.compared;
            e.needBlue = std::max(e.needBlue, Distance(a[0], p[0]));
            e.needGreen = std::max(e.needGreen, Distance(a[1], p[1]));
            e.needRed = std::max(e.needRed, Distance(a[2], p[2]));
            if (!PixelMatches(a, p, in.deviationRed, in.deviationGreen, in.deviationBlue)) {
                ++e.differing;
            }
        }
    }
    return e;
}

MatchExplanation ExplainMatch(const MatchInputs& given, MatcherPath path) {
    MatchInputs in = given;
    in.sweep = false;
    in.cursor = nullptr;
    in.stop = nullptr;
    in.probe = nullptr;
    if (int64_t(in.areaWidth) < in.pictureWidth || int64_t(in.areaHeight) < in.pictureHeight) {
        return {};
    }
    Point first;
    const bool matches = FindPictureInArea(in, first, path);
    // Smallest uniform deviation not ruled out, and the best candidate with its need.
    int32_t lo = matches ? 0 : LowestAfterMiss(in);
    int32_t hi = -1;
    Point best;
    for (int32_t step = 1; hi < 0 && lo <= kWidestDeviation; step *= 2) {
        const int32_t d = std::min(lo + step - 1, kWidestDeviation);
        if (FindWithin(in, d, path, best)) {
            hi = MeasureCandidate(in, best.x, best.y).LargestNeed();
        } else {
            lo = d + 1;
        }
    }
    // A match at deviation d is the first candidate whose need is at most d;
    // once no candidate needs less than hi, the last one found is the answer.
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        Point p;
        if (FindWithin(in, mid, path, p)) {
            best = p;
            hi = MeasureCandidate(in, best.x, best.y).LargestNeed();
        } else {
            lo = mid + 1;
        }
    }
    MatchExplanation e = MeasureCandidate(in, best.x, best.y);
    e.matches = matches;
    return e;
}

}  // namespace qrv
