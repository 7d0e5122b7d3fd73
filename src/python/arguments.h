#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <optional>
#include <string>

#include "core/base/geometry.h"

namespace qrv::python {

// The checks and conversions of the module's plain arguments. Each throws
// BadInput naming the argument and the value it was given.

// A value for an error message: its repr, cut short.
std::string Shown(pybind11::handle value);

// The path a str, bytes or os.PathLike value names, in the file system's own
// bytes; nothing for any other value.
std::optional<std::string> PathOf(pybind11::handle value);

// An integer (anything with __index__) from `least` to `most`.
int64_t WholeNumber(pybind11::handle value, const std::string& name, int64_t least, int64_t most);

// A screen coordinate.
int32_t Coordinate(pybind11::handle value, const std::string& name);

// A region (left, top, width, height) as a screen rectangle; nothing for None.
std::optional<Rect> RegionArgument(pybind11::handle value);

// Deviations of red, green and blue: one int for all three or an (r, g, b)
// sequence, each from 0 to 255.
struct Deviation {
    int32_t channels[3] = {0, 0, 0};
};
Deviation DeviationArgument(pybind11::handle value);

// The order of the bytes of an array's pixels.
enum class PixelOrder { kBgra, kRgba };
PixelOrder OrderArgument(pybind11::handle value);

// Seconds as a finite number of 0 or more.
double SecondsArgument(pybind11::handle value, const std::string& name);

}  // namespace qrv::python
