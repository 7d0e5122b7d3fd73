#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/base/geometry.h"

namespace qrv {

// The most pixels an area capture may hold: 512 MiB of 32-bit pixels.
inline constexpr int64_t kMaxAreaPixels = (int64_t(512) << 20) / 4;

// Why an area of the screen cannot be captured, as a message for the user;
// nothing when it can. An area may reach beyond the monitors (that part reads
// as black) but not be wider or taller than the whole virtual screen, nor hold
// more than kMaxAreaPixels, and its right and bottom edges must be screen
// coordinates. Empty areas are the caller's to refuse.
std::optional<std::string> SearchAreaProblem(int32_t left, int32_t top, int32_t width,
                                             int32_t height, const Rect& virtualScreen);

// The message for a picture to find that is wider or taller than the area.
std::string PictureTooLargeText(int64_t pictureWidth, int64_t pictureHeight, int64_t areaWidth,
                                int64_t areaHeight);

}  // namespace qrv
