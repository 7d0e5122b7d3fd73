#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/base/geometry.h"
#include "core/search/picture_matcher.h"

namespace qrv {

// The most matches a front end lets one listing keep: a few megabytes.
inline constexpr int32_t kMostListedMatches = 1'000'000;

// Every candidate where the whole picture matches, overlapping ones included,
// in the scan's column-major order and in screen coordinates; the first
// `limit` of them. The cursor sweep is not used; a stop request ends the scan
// early with a partial list.
std::vector<Point> ListMatches(const MatchInputs& in, std::size_t limit,
                               MatcherPath path = MatcherPath::Auto);

// The same from the plain candidate loops, the definition ListMatches is tested against.
std::vector<Point> ListMatchesReference(const MatchInputs& in, std::size_t limit);

}  // namespace qrv
