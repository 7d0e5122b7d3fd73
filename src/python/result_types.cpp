#include "python/result_types.h"

namespace qrv::python {

namespace py = pybind11;

namespace {

// Kept for the life of the process, as the module's own reference may go.
py::handle g_point, g_rect, g_explanation;

py::handle NamedTuple(py::module_& m, const char* name, const char* fields, const char* doc) {
    py::object type = py::module_::import("collections")
                          .attr("namedtuple")(name, fields, py::arg("module") = "quorvane");
    type.attr("__doc__") = doc;
    m.attr(name) = type;
    return type.release();
}

}  // namespace

void ResultTypes::Add(py::module_& m) {
    g_point = NamedTuple(m, "Point", "x y",
                         "Point(x, y): a position on the screen in physical pixels; the primary "
                         "monitor's top-left is (0, 0).");
    g_rect = NamedTuple(m, "Rect", "left top width height",
                        "Rect(left, top, width, height): a rectangle of the screen; a region "
                        "argument takes one.");
    g_explanation = NamedTuple(
        m, "Explanation", "x y needs differing total",
        "Explanation(x, y, needs, differing, total): where the picture comes closest, its top-left "
        "at (x, y); needs, the deviation (r, g, b) a match there takes; differing of total "
        "compared pixels differ by more than the deviation given.");
}

py::object ResultTypes::MakePoint(Point p) {
    return g_point(p.x, p.y);
}

py::object ResultTypes::PointOrNone(const std::optional<Point>& p) {
    return p ? MakePoint(*p) : py::none();
}

py::list ResultTypes::MakePoints(const std::vector<Point>& points) {
    py::list list;
    for (const Point& p : points) {
        list.append(MakePoint(p));
    }
    return list;
}

py::object ResultTypes::MakeRect(const Rect& r) {
    return g_rect(r.left, r.top, r.Width(), r.Height());
}

py::object ResultTypes::MakeExplanation(const MatchExplanation& e) {
    return g_explanation(e.closest.x, e.closest.y,
                         py::make_tuple(e.needRed, e.needGreen, e.needBlue), e.differing,
                         e.compared);
}

}  // namespace qrv::python
