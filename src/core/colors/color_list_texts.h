#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "core/base/geometry.h"

namespace qrv {

// Texts of the unique-colours list and its openers.

inline constexpr std::string_view kCursorPositionFailedText =
    "Could Not Get Current Cursor Position.";

// "%u Unique Colors from File %s of Width %d, Height %d"
std::string ImageFileColorsSummary(std::size_t count, std::string_view fileName, int32_t width,
                                   int32_t height);
// "%u Unique Colors from Screen Area Top %d, Left %d, Width %d, Height %d": top before left.
std::string ScreenAreaColorsSummary(std::size_t count, const Rect& area);
// "%d Unique Pixel Color(s) - %s" with the number of list rows.
std::string ColorListTitle(std::size_t rows, std::string_view appName);
// "Select Image File to View Unique Pixel Color(s) - %s"
std::string ColorsFileDialogTitle(std::string_view appName);
// "Failed to Load Image, Error %x.\n\n%s", then why, in words (see
// ImageLoadFailureReason).
std::string ImageLoadFailedText(uint32_t status, std::string_view path);
// Why the file could not be loaded, as one sentence: missing, not a regular
// file, unreadable, too large, or not an image this program reads.
std::string ImageLoadFailureReason(uint32_t status, std::string_view path);

// One line per colour in list order: row number from 1, red, green and blue,
// separated by tabs.
void WriteColorRowsText(std::ostream& out, std::span<const uint32_t> colors);

}  // namespace qrv
