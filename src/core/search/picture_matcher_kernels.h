#pragma once

// Internal to the picture matcher: the scan plan shared by the instruction-set
// specific kernels, and the kernels' entry points.

#include <atomic>
#include <cstdint>

#include "core/search/picture_matcher.h"

namespace qrv::matcher {

// Per-channel tolerance after normalising the three deviations.
struct Tolerance {
    bool matchesNothing = false;
    // Bytes in pixel order: blue, green, red, then 0xFF so byte 3 never fails.
    uint32_t bytes = 0xFF000000u;
};

Tolerance NormaliseDeviations(int32_t red, int32_t green, int32_t blue);

// A picture pixel with the inclusive per-byte range an area pixel must lie in.
struct Anchor {
    int32_t x = 0;
    int32_t y = 0;
    uint32_t lo = 0;
    uint32_t hi = 0xFFFFFFFFu;
};

// Anchors a candidate must pass before its full comparison: two chosen from the
// colours of the whole picture, then the pixels that rejected the latest
// candidates, so that a picture whose distinguishing pixels lie late in its
// walk costs a constant check per candidate after the first rejection.
inline constexpr int32_t kChosenAnchors = 2;
inline constexpr int32_t kMaxAnchors = kChosenAnchors + 4;

// Everything a kernel needs for one scan. Candidates are top-left offsets.
struct ScanPlan {
    const uint8_t* area = nullptr;
    int32_t areaStride = 0;  // pixels per area row
    const uint8_t* picture = nullptr;
    int32_t pictureStride = 0;
    int32_t pictureWidth = 0;
    int32_t pictureHeight = 0;
    uint32_t tolerance = 0xFF000000u;
    Anchor anchors[kMaxAnchors];  // the rarest colour in the area first
    int32_t anchorCount = 0;
    int32_t nextLearned = kChosenAnchors;  // the slot the next rejecting pixel takes
    uint32_t learnt = 0;                   // anchors learnt so far
    const std::atomic<int32_t>* stop = nullptr;
    ScanProbe* probe = nullptr;
};

// Picks the chosen anchors from a census of the picture's colours against a
// sample of the area. The picture must be non-empty.
void ChooseAnchors(ScanPlan& plan, int32_t areaWidth, int32_t areaHeight);

// Makes the picture pixel (x, y), which just rejected a candidate, an anchor.
void LearnAnchor(ScanPlan& plan, int32_t x, int32_t y);

// Screen position of the candidate at area offset (x, y).
Point CandidatePoint(const MatchInputs& in, int64_t x, int64_t y);

enum class Verdict { Mismatch, Match, Stopped };

// Result of a row scan: a column >= 0, or one of these.
inline constexpr int32_t kNoMatch = -1;
inline constexpr int32_t kStopped = -2;

struct Kernel {
    // Leftmost matching candidate in row cy among columns [0, xEnd).
    int32_t (*scanRow)(ScanPlan& plan, int32_t cy, int32_t xEnd);
    // Whether the candidate at (cx, cy) matches.
    Verdict (*testCandidate)(ScanPlan& plan, int32_t cx, int32_t cy);
};

extern const Kernel kScalarKernel;
#if defined(__x86_64__) || defined(_M_X64)
extern const Kernel kSse2Kernel;
extern const Kernel kAvx2Kernel;
#endif

}  // namespace qrv::matcher
