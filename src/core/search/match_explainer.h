#pragma once

#include <cstdint>
#include <string>

#include "core/base/geometry.h"
#include "core/search/picture_matcher.h"

namespace qrv {

// Why a picture was or was not found: the candidate where it comes closest,
// and what matching there would take.
struct MatchExplanation {
    bool fits = false;     // the picture is no larger than the area
    bool matches = false;  // it matches somewhere with the given deviations
    Point closest;         // screen position of the closest candidate
    // Per channel, the largest difference between a compared picture pixel and
    // the area pixel under it at the closest candidate.
    int32_t needRed = 0;
    int32_t needGreen = 0;
    int32_t needBlue = 0;
    int64_t differing = 0;  // compared pixels there that fail the given deviations
    int64_t compared = 0;   // picture pixels compared (the opaque ones when masked)

    int32_t LargestNeed() const;
};

// Explains the scan of `in` (its deviations, mask and origin; no sweep, no
// stop). The closest candidate has the smallest largest-channel need, the
// first in scan order among equals. Costs a handful of scans: a uniform
// deviation grows until something matches, is narrowed by bisection, and each
// match found tightens the bound to that candidate's own need.
MatchExplanation ExplainMatch(const MatchInputs& in, MatcherPath path = MatcherPath::Auto);

// The explanation for the user, lines without a final line end: the closest
// candidate with its needs and its failing pixels, or that the picture cannot
// fit into the area of `in`.
std::string ExplanationText(const MatchExplanation& e, const MatchInputs& in);
// The explanation's text for a picture wider or taller than the area.
std::string LargerPictureText(int64_t pictureWidth, int64_t pictureHeight, int64_t areaWidth,
                              int64_t areaHeight);

// The needs and failing pixels of the candidate at area offset (ox, oy), which
// must lie within the area.
MatchExplanation MeasureCandidate(const MatchInputs& in, int32_t ox, int32_t oy);

}  // namespace qrv
