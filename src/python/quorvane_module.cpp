// The quorvane._quorvane extension: the engine and the live desktop for
// Python scripts. The quorvane package re-exports every name; its docstrings
// are the manual help(quorvane) shows.
#include <pybind11/pybind11.h>

#include <cmath>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

#include "core/input/key_names.h"
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

constexpr double kMostTypeDelaySeconds = 60;

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

// Runs an injection without the GIL; a point off the screen becomes
// BadInput, a desktop's refusal DesktopUnavailable.
void Inject(const std::function<void()>& inject) {
    py::gil_scoped_release release;
    try {
        inject();
    } catch (const ScriptError&) {
        throw;
    } catch (const std::invalid_argument& e) {
        RaiseBadInput(e.what());
    } catch (const std::runtime_error& e) {
        throw ScriptError(ScriptError::Kind::kDesktopUnavailable, e.what());
    }
}

// Both coordinates or neither; `what` names the call in the error.
std::optional<Point> OptionalPoint(py::handle x, py::handle y, const std::string& what) {
    if (x.is_none() != y.is_none()) {
        RaiseBadInput(what + " takes both x and y, or neither to act where the pointer is");
    }
    if (x.is_none()) {
        return std::nullopt;
    }
    return Point{Coordinate(x, "x"), Coordinate(y, "y")};
}

std::string TextArgument(py::handle value, const std::string& name) {
    if (!py::isinstance<py::str>(value)) {
        RaiseBadInput(name + " takes a str, not " + Shown(value));
    }
    Py_ssize_t size = 0;
    const char* utf8 = PyUnicode_AsUTF8AndSize(value.ptr(), &size);
    if (utf8 == nullptr) {
        PyErr_Clear();
        RaiseBadInput(name + " holds a lone surrogate: " + Shown(value));
    }
    return std::string(utf8, std::size_t(size));
}

void Move(py::handle x, py::handle y) {
    const Point to{Coordinate(x, "x"), Coordinate(y, "y")};
    Inject([&] { LiveDesktop::Instance().Pointer().Move(to); });
}

void Click(py::handle x, py::handle y, py::handle button, py::handle twice) {
    const std::optional<Point> at = OptionalPoint(x, y, "click");
    std::optional<MouseButton> named;
    if (py::isinstance<py::str>(button)) {
        named = PointerActions::ButtonFromName(std::string(py::str(button)));
    }
    if (!named) {
        RaiseBadInput("button takes \"left\", \"right\" or \"middle\", not " + Shown(button));
    }
    const bool clickTwice = Truth(twice);
    Inject([&] { LiveDesktop::Instance().Pointer().Click(at, *named, clickTwice); });
}

void Drag(py::handle x1, py::handle y1, py::handle x2, py::handle y2) {
    const Point from{Coordinate(x1, "x1"), Coordinate(y1, "y1")};
    const Point to{Coordinate(x2, "x2"), Coordinate(y2, "y2")};
    Inject([&] { LiveDesktop::Instance().Pointer().Drag(from, to); });
}

void Scroll(py::handle steps, py::handle x, py::handle y, py::handle horizontal) {
    const auto count = int32_t(WholeNumber(steps, "steps", -PointerActions::kMostWheelSteps,
                                           PointerActions::kMostWheelSteps));
    const std::optional<Point> at = OptionalPoint(x, y, "scroll");
    const bool sideways = Truth(horizontal);
    Inject([&] { LiveDesktop::Instance().Pointer().Scroll(count, sideways, at); });
}

void Type(py::handle text, py::handle delay) {
    std::string error;
    const std::optional<std::u32string> characters =
        KeyboardActions::TextToType(TextArgument(text, "text"), error);
    if (!characters) {
        RaiseBadInput(error);
    }
    const double seconds = SecondsArgument(delay, "delay");
    if (seconds > kMostTypeDelaySeconds) {
        RaiseBadInput("delay takes at most " + std::to_string(int(kMostTypeDelaySeconds)) +
                      " seconds, not " + Shown(delay));
    }
    const auto ms = uint32_t(std::llround(seconds * 1000));
    Inject([&] {
        LiveDesktop::Instance().UseKeyboard(
            [&](KeyboardActions& keyboard) { keyboard.Type(*characters, ms); });
    });
}

void Press(const py::args& keys) {
    if (keys.empty()) {
        RaiseBadInput("press takes one key combination or more, such as \"ctrl+a\"");
    }
    std::vector<std::vector<uint32_t>> combos;
    for (py::handle key : keys) {
        std::string error;
        auto keysyms = KeysymsFromCombo(TextArgument(key, "a key combination"), error);
        if (!keysyms) {
            RaiseBadInput(error);
        }
        combos.push_back(std::move(*keysyms));
    }
    Inject([&] {
        LiveDesktop::Instance().UseKeyboard([&](KeyboardActions& keyboard) {
            for (const std::vector<uint32_t>& keysyms : combos) {
                keyboard.Press(keysyms);
            }
        });
    });
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

Moves the pointer to the screen position (x, y) with a synthesised move.
Raises BadInput for a point off the screen.)");
    m.def("click", &Click, py::arg("x") = py::none(), py::arg("y") = py::none(),
          py::arg("button") = "left", py::arg("double") = false,
          R"(click(x=None, y=None, button='left', double=False)
--

Clicks a button, 'left', 'right' or 'middle': at (x, y), moving there
first, or where the pointer is when neither is given; twice with
double=True. The button is held for a random 100 to 200 ms, as the window's
clicks are. Raises BadInput for a point off the screen.)");
    m.def("drag", &Drag, py::arg("x1"), py::arg("y1"), py::arg("x2"), py::arg("y2"),
          R"(drag(x1, y1, x2, y2)
--

Presses the left button at (x1, y1), moves the pointer to (x2, y2) in small
steps and releases the button there.)");
    m.def("scroll", &Scroll, py::arg("steps"), py::arg("x") = py::none(), py::arg("y") = py::none(),
          py::arg("horizontal") = false,
          R"(scroll(steps, x=None, y=None, horizontal=False)
--

Turns the mouse wheel by steps notches (-10000 to 10000): positive steps
scroll up, negative ones down; with horizontal=True right and left. At
(x, y), moving there first, or where the pointer is.)");
    m.def("type", &Type, py::arg("text"), py::arg("delay") = 0,
          R"(type(text, delay=0)
--

Types the text into the window that has the keyboard focus, character by
character, whatever the keyboard layout ("Grüße", "日本語"); delay is the
pause between two characters in seconds (at most 60). A line feed presses
Return, a tab Tab; other control characters raise BadInput. Raises
DesktopUnavailable where the desktop takes no keyboard input.)");
    m.def("press", &Press,
          R"(press(*keys)
--

Presses each key combination in turn: press("ctrl+a"), press("ctrl+c",
"alt+Tab"). The keys of one combination are pressed in the order written
and released in reverse. Keys are X keysym names (Return, Tab, Escape,
BackSpace, Delete, Home, End, Page_Up, Page_Down, Left, Up, Right, Down,
space, F1 to F35, KP_Enter, ...; in any case, such as f9), ctrl, shift, alt
and super, any one character ("a", "é") or "U+20AC" for a code point; the
+ key is written plus. Raises BadInput naming an unknown key.)");
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
