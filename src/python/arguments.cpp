#include "python/arguments.h"

#include <cmath>
#include <limits>
#include <vector>

#include "python/script_error.h"

namespace qrv::python {

namespace py = pybind11;

namespace {

constexpr std::size_t kShownChars = 60;

// The items of a tuple or list, or of a named tuple such as Rect.
std::optional<std::vector<py::handle>> Items(py::handle value) {
    if (!py::isinstance<py::tuple>(value) && !py::isinstance<py::list>(value)) {
        return std::nullopt;
    }
    std::vector<py::handle> items;
    for (py::handle item : value) {
        items.push_back(item);
    }
    return items;
}

}  // namespace

std::string Shown(py::handle value) {
    std::string text = py::repr(value);
    if (text.size() > kShownChars) {
        text = text.substr(0, kShownChars - 3) + "...";
    }
    return text;
}

std::optional<std::string> PathOf(py::handle value) {
    if (!py::isinstance<py::str>(value) && !py::isinstance<py::bytes>(value) &&
        !py::hasattr(value, "__fspath__")) {
        return std::nullopt;
    }
    const py::bytes encoded = py::module_::import("os").attr("fsencode")(value);
    return std::string(encoded);
}

int64_t WholeNumber(py::handle value, const std::string& name, int64_t least, int64_t most) {
    const std::string rule = name + " takes a whole number from " + std::to_string(least) + " to " +
                             std::to_string(most) + ", not " + Shown(value);
    PyObject* index = PyNumber_Index(value.ptr());
    if (index == nullptr) {
        PyErr_Clear();
        RaiseBadInput(rule);
    }
    int overflow = 0;
    const long long number = PyLong_AsLongLongAndOverflow(index, &overflow);
    Py_DECREF(index);
    if (overflow != 0 || number < least || number > most) {
        RaiseBadInput(rule);
    }
    return number;
}

int32_t Coordinate(py::handle value, const std::string& name) {
    return int32_t(WholeNumber(value, name, std::numeric_limits<int32_t>::min(),
                               std::numeric_limits<int32_t>::max()));
}

std::optional<Rect> RegionArgument(py::handle value) {
    if (value.is_none()) {
        return std::nullopt;
    }
    const auto items = Items(value);
    if (!items || items->size() != 4) {
        RaiseBadInput("region takes (left, top, width, height), not " + Shown(value));
    }
    const int32_t left = Coordinate((*items)[0], "region's left");
    const int32_t top = Coordinate((*items)[1], "region's top");
    const int32_t width = Coordinate((*items)[2], "region's width");
    const int32_t height = Coordinate((*items)[3], "region's height");
    if (width <= 0 || height <= 0) {
        RaiseBadInput("region needs a width and height above 0, not " + Shown(value));
    }
    constexpr int64_t kLast = std::numeric_limits<int32_t>::max();
    if (int64_t(left) + width > kLast || int64_t(top) + height > kLast) {
        RaiseBadInput("region reaches beyond the last screen coordinate: " + Shown(value));
    }
    return Rect{left, top, left + width, top + height};
}

Deviation DeviationArgument(py::handle value) {
    Deviation d;
    const auto items = Items(value);
    if (!items) {
        const int32_t all = int32_t(WholeNumber(value, "deviation", 0, 255));
        d.channels[0] = d.channels[1] = d.channels[2] = all;
        return d;
    }
    if (items->size() != 3) {
        RaiseBadInput("deviation takes one number or three (r, g, b), not " + Shown(value));
    }
    const char* const names[3] = {"deviation's red", "deviation's green", "deviation's blue"};
    for (int i = 0; i < 3; ++i) {
        d.channels[i] = int32_t(WholeNumber((*items)[std::size_t(i)], names[i], 0, 255));
    }
    return d;
}

PixelOrder OrderArgument(py::handle value) {
    if (py::isinstance<py::str>(value)) {
        const std::string order = py::str(value);
        if (order == "BGRA" || order == "RGBA") {
            return order == "BGRA" ? PixelOrder::kBgra : PixelOrder::kRgba;
        }
    }
    RaiseBadInput("order takes \"BGRA\" or \"RGBA\", not " + Shown(value));
}

double SecondsArgument(py::handle value, const std::string& name) {
    const std::string rule = name + " takes a number of seconds of 0 or more, not " + Shown(value);
    if (py::isinstance<py::bool_>(value)) {
        RaiseBadInput(rule);
    }
    const double seconds = PyFloat_AsDouble(value.ptr());
    if (PyErr_Occurred()) {
        PyErr_Clear();
        RaiseBadInput(rule);
    }
    if (!std::isfinite(seconds) || seconds < 0) {
        RaiseBadInput(rule);
    }
    return seconds;
}

}  // namespace qrv::python
