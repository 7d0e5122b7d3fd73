#pragma once

#include <pybind11/pybind11.h>

#include <optional>
#include <vector>

#include "core/base/geometry.h"
#include "core/search/match_explainer.h"

namespace qrv::python {

// The named tuples the module answers with: Point(x, y), Rect(left, top,
// width, height) and Explanation(x, y, needs, differing, total).
class ResultTypes {
  public:
    // Makes the types and adds them to the module.
    static void Add(pybind11::module_& m);

    static pybind11::object MakePoint(Point p);
    static pybind11::object PointOrNone(const std::optional<Point>& p);
    static pybind11::list MakePoints(const std::vector<Point>& points);
    static pybind11::object MakeRect(const Rect& r);
    static pybind11::object MakeExplanation(const MatchExplanation& e);
};

}  // namespace qrv::python
