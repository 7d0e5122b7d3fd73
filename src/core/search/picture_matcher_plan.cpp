#include <algorithm>
#include <array>
#include <cstring>

#include "search/picture_matcher_kernels.h"

namespace qrv::matcher {

namespace {

constexpr int32_t kPictureSamples = 1024;
constexpr int32_t kAreaSamples = 1024;
constexpr int32_t kMaxCandidateColours = 24;

struct Sampled {
    uint32_t colour;  // bytes blue, green, red; byte 3 cleared
    int32_t index;    // pixel index in the picture
};

uint32_t LoadPixel(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v & 0x00FFFFFFu;
}

uint32_t SaturatingBytes(uint32_t colour, uint32_t tolerance, bool add) {
    uint32_t r = 0;
    for (int i = 0; i < 4; ++i) {
        const int32_t c = int32_t((colour >> (8 * i)) & 0xFF);
        const int32_t t = int32_t((tolerance >> (8 * i)) & 0xFF);
        r |= uint32_t(std::clamp(add ? c + t : c - t, 0, 255)) << (8 * i);
    }
    return r;
}

bool InRange(uint32_t v, uint32_t lo, uint32_t hi) {
    for (int i = 0; i < 3; ++i) {
        const uint32_t b = (v >> (8 * i)) & 0xFF;
        if (b < ((lo >> (8 * i)) & 0xFF) || b > ((hi >> (8 * i)) & 0xFF)) {
            return false;
        }
    }
    return true;
}

Anchor MakeAnchor(const ScanPlan& plan, int32_t x, int32_t y) {
    const uint8_t* p =
        plan.picture + (std::size_t(y) * std::size_t(plan.pictureStride) + std::size_t(x)) * 4;
    const uint32_t colour = LoadPixel(p);
    return {x, y, SaturatingBytes(colour, plan.tolerance, false),
            SaturatingBytes(colour, plan.tolerance, true)};
}

// Spread sample of picture pixels, one entry per distinct colour (first occurrence).
int32_t SamplePictureColours(const ScanPlan& plan, std::array<Sampled, kPictureSamples>& out) {
    const int64_t total = int64_t(plan.pictureWidth) * plan.pictureHeight;
    const int32_t n = int32_t(std::min<int64_t>(total, kPictureSamples));
    for (int32_t i = 0; i < n; ++i) {
        const int64_t index = int64_t(i) * total / n;
        const int32_t x = int32_t(index % plan.pictureWidth);
        const int32_t y = int32_t(index / plan.pictureWidth);
        const uint8_t* p =
            plan.picture + (std::size_t(y) * std::size_t(plan.pictureStride) + std::size_t(x)) * 4;
        out[std::size_t(i)] = {LoadPixel(p), int32_t(index)};
    }
    std::sort(out.begin(), out.begin() + n, [](const Sampled& a, const Sampled& b) {
        return a.colour != b.colour ? a.colour < b.colour : a.index < b.index;
    });
    auto end = std::unique(out.begin(), out.begin() + n,
                           [](const Sampled& a, const Sampled& b) { return a.colour == b.colour; });
    return int32_t(end - out.begin());
}

// Pseudo-random spread sample of area pixels.
int32_t SampleArea(const ScanPlan& plan, int32_t areaWidth, int32_t areaHeight,
                   std::array<uint32_t, kAreaSamples>& out) {
    const uint64_t total = uint64_t(areaWidth) * uint64_t(areaHeight);
    const int32_t n = int32_t(std::min<uint64_t>(total, kAreaSamples));
    for (int32_t i = 0; i < n; ++i) {
        const uint64_t index = (uint64_t(i) * 2654435761u + 40503u) % total;
        const uint64_t x = index % uint64_t(areaWidth), y = index / uint64_t(areaWidth);
        out[std::size_t(i)] = LoadPixel(plan.area + (y * uint64_t(plan.areaStride) + x) * 4);
    }
    return n;
}

// Samples that the colour's range admits, counting no further than limit.
int32_t CountHits(const Anchor& anchor, const std::array<uint32_t, kAreaSamples>& samples,
                  int32_t n, int32_t limit) {
    int32_t hits = 0;
    for (int32_t i = 0; i < n && hits <= limit; ++i) {
        hits += InRange(samples[std::size_t(i)], anchor.lo, anchor.hi) ? 1 : 0;
    }
    return hits;
}

}  // namespace

Tolerance NormaliseDeviations(int32_t red, int32_t green, int32_t blue) {
    Tolerance t;
    const int32_t sum = int32_t(uint32_t(red) + uint32_t(green) + uint32_t(blue));
    if (sum == 0) {
        return t;  // exact colour test
    }
    if (red < 0 || green < 0 || blue < 0) {
        t.matchesNothing = true;
        return t;
    }
    const auto clampByte = [](int32_t v) { return uint32_t(std::min(v, 255)); };
    t.bytes = 0xFF000000u | (clampByte(red) << 16) | (clampByte(green) << 8) | clampByte(blue);
    return t;
}

void ChooseAnchors(ScanPlan& plan, int32_t areaWidth, int32_t areaHeight) {
    std::array<Sampled, kPictureSamples> colours;
    std::array<uint32_t, kAreaSamples> samples;
    const int32_t distinct = SamplePictureColours(plan, colours);
    const int32_t sampleCount = SampleArea(plan, areaWidth, areaHeight, samples);
    const int32_t tried = std::min(distinct, kMaxCandidateColours);

    Anchor best[2];
    int32_t bestHits[2] = {sampleCount + 1, sampleCount + 1};
    for (int32_t k = 0; k < tried; ++k) {
        const Sampled& s = colours[std::size_t(int64_t(k) * distinct / tried)];
        const Anchor a = MakeAnchor(plan, s.index % plan.pictureWidth, s.index / plan.pictureWidth);
        const int32_t hits = CountHits(a, samples, sampleCount, bestHits[1]);
        if (hits < bestHits[0]) {
            best[1] = best[0];
            bestHits[1] = bestHits[0];
            best[0] = a;
            bestHits[0] = hits;
        } else if (hits < bestHits[1]) {
            best[1] = a;
            bestHits[1] = hits;
        }
    }
    plan.first = best[0];
    // A one-colour sample still gains from a second position: the opposite corner.
    plan.second = tried > 1 ? best[1]
                            : MakeAnchor(plan, plan.pictureWidth - 1 - best[0].x,
                                         plan.pictureHeight - 1 - best[0].y);
}

}  // namespace qrv::matcher
