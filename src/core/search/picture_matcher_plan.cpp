#include <algorithm>
#include <array>
#include <cstring>

#include "core/search/picture_matcher_kernels.h"

namespace qrv::matcher {

namespace {

constexpr int32_t kAreaSamples = 1024;
constexpr std::size_t kTableSize = 4096;  // a power of two
constexpr int32_t kMaxDistinct = int32_t(kTableSize / 2);
constexpr std::size_t kRarestTried = 24;    // colours fewest in the picture
constexpr std::size_t kCommonestTried = 8;  // and most

struct ColourCount {
    uint32_t colour;  // bytes blue, green, red; byte 3 cleared
    int32_t x, y;     // its first pixel in the picture
    int32_t count;    // 0: an empty slot
};

using ColourTable = std::array<ColourCount, kTableSize>;

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

ColourCount& Slot(ColourTable& table, uint32_t colour) {
    std::size_t i = (colour * 0x9E3779B1u) >> 20;
    while (table[i].count != 0 && table[i].colour != colour) {
        i = (i + 1) & (kTableSize - 1);
    }
    return table[i];
}

// Counts every picture pixel by colour, so that no colour can hide from the
// anchor choice; a picture of more colours than the table keeps is counted up
// to the pixel where it fills, as its colours are then selective anyway.
void CensusPicture(const ScanPlan& plan, ColourTable& table) {
    int32_t distinct = 0;
    for (int32_t y = 0; y < plan.pictureHeight; ++y) {
        const uint8_t* row = plan.picture + std::size_t(y) * std::size_t(plan.pictureStride) * 4;
        ColourCount* run = nullptr;
        for (int32_t x = 0; x < plan.pictureWidth; ++x) {
            const uint32_t colour = LoadPixel(row + std::size_t(x) * 4);
            if (run == nullptr || run->colour != colour) {
                run = &Slot(table, colour);
                if (run->count == 0) {
                    if (distinct == kMaxDistinct) {
                        return;
                    }
                    *run = {colour, x, y, 0};
                    ++distinct;
                }
            }
            ++run->count;
        }
    }
}

// Moves the colours worth trying as anchors to the front of the table and
// returns their number: those fewest in the picture, where odd pixels hide,
// and those most in it.
std::size_t ColoursToTry(ColourTable& table) {
    const auto used = std::partition(table.begin(), table.end(),
                                     [](const ColourCount& c) { return c.count != 0; });
    std::sort(table.begin(), used, [](const ColourCount& a, const ColourCount& b) {
        return a.count != b.count ? a.count < b.count : a.y != b.y ? a.y < b.y : a.x < b.x;
    });
    const std::size_t n = std::size_t(used - table.begin());
    if (n <= kRarestTried + kCommonestTried) {
        return n;
    }
    std::copy(used - std::ptrdiff_t(kCommonestTried), used,
              table.begin() + std::ptrdiff_t(kRarestTried));
    return kRarestTried + kCommonestTried;
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
    ColourTable table{};
    CensusPicture(plan, table);
    const std::size_t tried = ColoursToTry(table);
    std::array<uint32_t, kAreaSamples> samples;
    const int32_t sampleCount = SampleArea(plan, areaWidth, areaHeight, samples);

    Anchor best[2];
    int32_t bestHits[2] = {sampleCount + 1, sampleCount + 1};
    for (std::size_t i = 0; i < tried; ++i) {
        const ColourCount& c = table[i];
        const Anchor a = MakeAnchor(plan, c.x, c.y);
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
    plan.anchors[0] = best[0];
    // A one-colour picture still gains from a second position: the opposite corner.
    plan.anchors[1] = tried > 1 ? best[1]
                                : MakeAnchor(plan, plan.pictureWidth - 1 - best[0].x,
                                             plan.pictureHeight - 1 - best[0].y);
    plan.anchorCount = kChosenAnchors;
    plan.nextLearned = kChosenAnchors;
}

void LearnAnchor(ScanPlan& plan, int32_t x, int32_t y) {
    plan.anchors[plan.nextLearned] = MakeAnchor(plan, x, y);
    plan.anchorCount = std::max(plan.anchorCount, plan.nextLearned + 1);
    plan.nextLearned = plan.nextLearned + 1 < kMaxAnchors ? plan.nextLearned + 1 : kChosenAnchors;
    ++plan.learnt;
}

}  // namespace qrv::matcher
