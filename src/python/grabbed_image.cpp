#include "python/grabbed_image.h"

#include "core/base/quoted.h"
#include "core/desktop/image_codec.h"
#include "core/search/search_area_check.h"
#include "core/search/search_attempt.h"
#include "python/arguments.h"
#include "python/live_desktop.h"
#include "python/script_error.h"

namespace qrv::python {

namespace py = pybind11;

GrabbedImage::GrabbedImage(const PixelImage& pixels, Rect area)
    : m_pixels(std::make_shared<PixelImage>(area.Width(), area.Height())), m_area(area) {
    // A copy of the capture: the source may reuse the memory it lent.
    for (int32_t y = 0; y < m_area.Height(); ++y) {
        const uint8_t* from = pixels.Row(y);
        uint8_t* to = m_pixels->Row(y);
        for (int32_t x = 0; x < m_area.Width(); ++x, from += 4, to += 4) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
            to[3] = 0xFF;
        }
    }
}

GrabbedImage GrabbedImage::Grab(std::optional<Rect> region) {
    DesktopPlatform& session = LiveDesktop::Instance().Session();
    const Rect area = region.value_or(session.layout->VirtualScreen());
    if (auto problem = SearchAreaProblem(area.left, area.top, area.Width(), area.Height(),
                                         session.layout->VirtualScreen())) {
        RaiseBadInput(*problem);
    }
    PixelImage pixels;
    if (!SearchAttempt::CaptureArea(*session.screen, *session.layout, area, pixels)) {
        throw ScriptError(ScriptError::Kind::kDesktopUnavailable, SearchAttempt::kNoFrameText);
    }
    return GrabbedImage(pixels, area);
}

void GrabbedImage::Save(const std::string& path) const {
    uint32_t status = kStatusFail;
    {
        py::gil_scoped_release release;
        status = LiveDesktop::Instance().Files().imageWriter->WriteImageFile(path, *m_pixels,
                                                                             CaptureFormat::Png);
    }
    if (status != kStatusOk) {
        throw ScriptError(ScriptError::Kind::kOther, "cannot write the image to " + Quoted(path));
    }
}

py::buffer_info GrabbedImage::View() const {
    const py::ssize_t width = m_pixels->m_iWidth;
    return py::buffer_info(m_pixels->Data(), 1, py::format_descriptor<uint8_t>::format(), 3,
                           {py::ssize_t(m_pixels->m_iHeight), width, py::ssize_t(4)},
                           {width * 4, py::ssize_t(4), py::ssize_t(1)}, true);
}

void GrabbedImage::Add(py::module_& m) {
    auto image =
        py::class_<GrabbedImage>(m, "Image", py::buffer_protocol(),
                                 R"(A picture of part of the screen, as grab() returns it.

Its pixels are read through the buffer protocol as height x width x 4 bytes in
the order blue, green, red, alpha (alpha always 255): numpy.asarray(image)
gives them without a copy. locate(), locate_all(), explain() and wait() take
it as picture= or haystack= as it is, whatever order= says; as a haystack its
matches come back in screen coordinates.)")
            .def_buffer(&GrabbedImage::View)
            .def_property_readonly("width", &GrabbedImage::Width, "Width in pixels.")
            .def_property_readonly("height", &GrabbedImage::Height, "Height in pixels.")
            .def_property_readonly(
                "left", [](const GrabbedImage& i) { return i.Origin().x; },
                "Screen x of the left column.")
            .def_property_readonly(
                "top", [](const GrabbedImage& i) { return i.Origin().y; },
                "Screen y of the top row.")
            .def(
                "save",
                [](const GrabbedImage& i, py::handle path) {
                    const auto name = PathOf(path);
                    if (!name) {
                        RaiseBadInput("save takes a file path, not " + Shown(path));
                    }
                    i.Save(*name);
                },
                py::arg("path"),
                "save($self, path)\n--\n\nWrites the image to the file `path` as a PNG (whatever "
                "its\nextension says), replacing an existing file.")
            .def("__repr__", [](const GrabbedImage& i) {
                return "<quorvane.Image " + std::to_string(i.Width()) + "x" +
                       std::to_string(i.Height()) + " at " + std::to_string(i.Origin().x) + "," +
                       std::to_string(i.Origin().y) + ">";
            });
    image.attr("__module__") = "quorvane";
}

}  // namespace qrv::python
