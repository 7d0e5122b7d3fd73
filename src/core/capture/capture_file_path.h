#pragma once

#include <string>
#include <string_view>

namespace qrv {

// Replaces each pair of consecutive '/' by one '/', scanning left to right
// over non-overlapping pairs (so "///" becomes "//").
std::string CollapseDoubledSeparators(std::string_view path);

// "<folder>/<name>.<extension>" where name is "<baseName> at <dateText>" with
// invalid file-name characters turned into spaces, and doubled separators
// collapsed once.
std::string BuildCaptureFilePath(std::string_view folder, std::string_view baseName,
                                 std::string_view dateText, std::string_view extension);

}  // namespace qrv
