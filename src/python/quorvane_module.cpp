// The quorvane._quorvane extension: the engine and the live desktop for
// Python scripts. The quorvane package re-exports every name; its docstrings
// are the manual help(quorvane) shows.
#include <pybind11/pybind11.h>

#include <optional>
#include <vector>

#include "core/search/match_lister.h"
#include "python/arguments.h"
#include "python/exception_classes.h"
#include "python/grabbed_image.h"
#include "python/live_desktop.h"
#include "python/result_types.h"
#include "python/script_error.h"
#include "python/search_call.h"

namespace py = pybind11;

namespace qrv::python {

namespace {

bool Truth(py::handle value) {
    const int truth = PyObject_IsTrue(value.ptr());
    if (truth < 0) {
        throw py::error_already_set();
    }
    return truth != 0;
}

py::object Locate(py::handle picture, py::handle region, py::handle deviation, py::handle mask,
                  py::handle haystack, py::handle order) {
    SearchCall call(picture, region, deviation, Truth(mask), haystack, order);
    std::optional<Point> at;
    {
        py::gil_scoped_release release;
        at = call.Locate();
    }
    return ResultTypes::PointOrNone(at);
}

py::list LocateAll(py::handle picture, py::handle region, py::handle deviation, py::handle mask,
                   py::handle maxMatches, py::handle haystack, py::handle order) {
    const auto limit = std::size_t(WholeNumber(maxMatches, "max_matches", 0, kMostListedMatches));
    SearchCall call(picture, region, deviation, Truth(mask), haystack, order);
    std::vector<Point> matches;
    {
        py::gil_scoped_release release;
        matches = call.LocateAll(limit);
    }
    return ResultTypes::MakePoints(matches);
}

py::object Explain(py::handle picture, py::handle region, py::handle deviation, py::handle mask,
                   py::handle haystack, py::handle order) {
    SearchCall call(picture, region, deviation, Truth(mask), haystack, order);
    MatchExplanation e;
    {
        py::gil_scoped_release release;
        e = call.Explain();
    }
    return ResultTypes::MakeExplanation(e);
}

py::object Wait(py::handle picture, py::handle timeout, py::handle interval, py::handle region,
                py::handle deviation, py::handle mask, py::handle haystack, py::handle order) {
    std::optional<double> limit;
    if (!timeout.is_none()) {
        limit = SecondsArgument(timeout, "timeout");
    }
    const double pause = SecondsArgument(interval, "interval");
    SearchCall call(picture, region, deviation, Truth(mask), haystack, order);
    return ResultTypes::PointOrNone(call.Wait(limit, pause));
}

GrabbedImage Grab(py::handle region) {
    const std::optional<Rect> area = RegionArgument(region);
    py::gil_scoped_release release;
    return GrabbedImage::Grab(area);
}

void Move(py::handle x, py::handle y) {
    const Point to{Coordinate(x, "x"), Coordinate(y, "y")};
    py::gil_scoped_release release;
    LiveDesktop::Instance().Mouse().MoveMouseTo(to.x, to.y);
}

void Click(py::handle x, py::handle y, py::handle twice) {
    if (x.is_none() != y.is_none()) {
        RaiseBadInput("click takes both x and y, or neither to click where the pointer is");
    }
    std::optional<Point> at;
    if (!x.is_none()) {
        at = Point{Coordinate(x, "x"), Coordinate(y, "y")};
    }
    const bool clickTwice = Truth(twice);
    py::gil_scoped_release release;
    MouseInput& mouse = LiveDesktop::Instance().Mouse();
    if (at) {
        mouse.MoveMouseTo(at->x, at->y);
    }
    mouse.ClickLeft();
    if (clickTwice) {
        mouse.ClickLeft();
    }
}

py::object Position() {
    std::optional<Point> at;
    {
        py::gil_scoped_release release;
        at = LiveDesktop::Instance().Session().input->CursorPos();
    }
    return ResultTypes::PointOrNone(at);
}

py::list Screens() {
    std::vector<Rect> monitors;
    {
        py::gil_scoped_release release;
        monitors = LiveDesktop::Instance().Session().layout->Monitors();
    }
    py::list list;
    for (const Rect& r : monitors) {
        list.append(ResultTypes::MakeRect(r));
    }
    return list;
}

py::object VirtualScreen() {
    Rect screen;
    {
        py::gil_scoped_release release;
        screen = LiveDesktop::Instance().Session().layout->VirtualScreen();
    }
    return ResultTypes::MakeRect(screen);
}

std::string Desktop() {
    std::string name;
    {
        py::gil_scoped_release release;
        name = LiveDesktop::Instance().Files().name;
    }
    return name == "win32" ? "windows" : name;
}

}  // namespace

void AddFunctions(py::module_& m);

}  // namespace qrv::python

PYBIND11_MODULE(_quorvane, m) {
    py::options options;
    options.disable_function_signatures();
    m.doc() = "The engine of the quorvane package; import quorvane instead.";
    qrv::python::AddExceptionClasses(m);
    qrv::python::ResultTypes::Add(m);
    qrv::python::GrabbedImage::Add(m);
    qrv::python::AddFunctions(m);
    // The desktop is closed while the interpreter still runs: a portal
    // session is ended properly, and no thread of it outlives the process.
    py::module_::import("atexit").attr("register")(py::cpp_function([] {
        py::gil_scoped_release release;
        qrv::python::LiveDesktop::Instance().Close();
    }));
}

namespace qrv::python {

void AddFunctions(py::module_& m) {
    m.def(
        "locate", &Locate, py::arg("picture"), py::arg("region") = py::none(),
        py::arg("deviation") = 0, py::arg("mask_transparent") = false, py::kw_only(),
        py::arg("haystack") = py::none(), py::arg("order") = "BGRA",
        R"(locate(picture, region=None, deviation=0, mask_transparent=False, *, haystack=None, order='BGRA')
--

Where the picture is on the screen: the Point of its top-left pixel at the
first match, or None.

picture is a file path (a 32-bit image: PNG with alpha, BMP, TIFF, ...), an
Image, or any object with the buffer protocol shaped height x width x 4 of
uint8 (a numpy array; a Pillow image through numpy.asarray(image.convert(
'RGBA')) with order='RGBA').
region is (left, top, width, height) in screen coordinates; the default is
the whole virtual screen (or the whole haystack). Parts off every monitor
read as black.
deviation is how far each colour channel of a screen pixel may be from the
picture's: one int for all three, or (r, g, b); 0 to 255.
mask_transparent lets picture pixels of alpha 0 match any colour.
haystack searches an Image, a file or an array instead of the screen; an
array's top-left pixel is (0, 0), an Image's where it was grabbed.
order is the byte order of array pixels, 'BGRA' or 'RGBA', for the picture
and the haystack alike; an Image is always taken as it is.

Candidates are tried column by column: left to right, and top to bottom
within each column, the order of quorvane-cli find. Every pixel must match;
there is no score and no threshold.
Raises BadInput for arguments, files or arrays that cannot be searched
(before anything is captured), DesktopUnavailable when the screen cannot be
read, ConsentDeclined when the user refused screen access.)");
    m.def(
        "locate_all", &LocateAll, py::arg("picture"), py::arg("region") = py::none(),
        py::arg("deviation") = 0, py::arg("mask_transparent") = false,
        py::arg("max_matches") = 1000, py::kw_only(), py::arg("haystack") = py::none(),
        py::arg("order") = "BGRA",
        R"(locate_all(picture, region=None, deviation=0, mask_transparent=False, max_matches=1000, *, haystack=None, order='BGRA')
--

Every position where the picture matches, overlapping ones included, as a
list of Points in the order of quorvane-cli find --all (column by column);
the first max_matches of them (0 to 1000000). The other arguments are those
of locate().)");
    m.def(
        "explain", &Explain, py::arg("picture"), py::arg("region") = py::none(),
        py::arg("deviation") = 0, py::arg("mask_transparent") = false, py::kw_only(),
        py::arg("haystack") = py::none(), py::arg("order") = "BGRA",
        R"(explain(picture, region=None, deviation=0, mask_transparent=False, *, haystack=None, order='BGRA')
--

Why the picture was or was not found: an Explanation(x, y, needs, differing,
total) of the position where it comes closest, as quorvane-cli explain
prints it. needs is the deviation (r, g, b) a match there takes (per channel,
the largest difference between a picture pixel and the screen pixel under
it); differing of the total compared pixels differ by more than the
deviation given. Closest is the smallest largest-channel need, the first
column by column among equals. It matches when differing is 0.
Raises BadInput when the picture is larger than the region; the other
arguments are those of locate().)");
    m.def(
        "wait", &Wait, py::arg("picture"), py::arg("timeout") = py::none(),
        py::arg("interval") = 0.5, py::arg("region") = py::none(), py::arg("deviation") = 0,
        py::arg("mask_transparent") = false, py::kw_only(), py::arg("haystack") = py::none(),
        py::arg("order") = "BGRA",
        R"(wait(picture, timeout=None, interval=0.5, region=None, deviation=0, mask_transparent=False, *, haystack=None, order='BGRA')
--

Looks for the picture every interval seconds until it is found, and returns
where (a Point), or None once timeout seconds have passed (None: no limit).
It looks at least once. Ctrl+C (KeyboardInterrupt), or any exception a
signal handler raises, ends it at once. The other arguments are those of
locate().)");
    m.def("grab", &Grab, py::arg("region") = py::none(),
          R"(grab(region=None)
--

A picture of the screen: an Image of region (left, top, width, height),
the whole virtual screen by default. Parts off every monitor are black.)");
    m.def("move", &Move, py::arg("x"), py::arg("y"),
          R"(move(x, y)
--

Moves the pointer to the screen position (x, y) with a synthesised move.)");
    m.def("click", &Click, py::arg("x") = py::none(), py::arg("y") = py::none(),
          py::arg("double") = false,
          R"(click(x=None, y=None, double=False)
--

Clicks the left button: at (x, y), moving there first, or where the pointer
is when neither is given; twice with double=True. The button is held for a
random 100 to 200 ms, as the window's clicks are.)");
    m.def("position", &Position,
          R"(position()
--

Where the pointer is: a Point, or None where the desktop does not tell (a
Wayland session before this process has moved the pointer).)");
    m.def("screens", &Screens,
          R"(screens()
--

The monitors, each a Rect(left, top, width, height) in screen coordinates.)");
    m.def("virtual_screen", &VirtualScreen,
          R"(virtual_screen()
--

The Rect around every monitor; it always contains (0, 0).)");
    m.def("desktop", &Desktop,
          R"(desktop()
--

The desktop this process works with: 'x11', 'wayland' (a wlroots
compositor such as sway), 'portal' (GNOME, KDE and other Wayland desktops,
through the desktop portal) or 'windows'. Asks no consent.)");
}

}  // namespace qrv::python
