#include "python/pixels_argument.h"

#include <string>

#include "core/base/quoted.h"
#include "core/desktop/image_codec.h"
#include "core/imaging/picture_file.h"
#include "python/grabbed_image.h"
#include "python/live_desktop.h"
#include "python/script_error.h"

namespace qrv::python {

namespace py = pybind11;

namespace {

bool IsBytes(const py::buffer_info& view) {
    const std::string& f = view.format;
    return view.itemsize == 1 &&
           (f == "B" ||
            (f.size() == 2 && f[1] == 'B' && std::string("@=<>!").find(f[0]) != std::string::npos));
}

std::string ShapeText(const py::buffer_info& view) {
    std::string text = "(";
    for (std::size_t i = 0; i < view.shape.size(); ++i) {
        text += (i ? ", " : "") + std::to_string(view.shape[i]);
    }
    return text + (view.shape.size() == 1 ? ",)" : ")");
}

// Whether the view's bytes are the matcher's own layout, row after row.
bool MatcherLayout(const py::buffer_info& view) {
    return view.strides[2] == 1 && view.strides[1] == 4 && view.strides[0] == view.shape[1] * 4;
}

}  // namespace

PixelsArgument::PixelsArgument(py::handle value, PixelOrder order, Role role) : m_role(role) {
    if (py::isinstance<GrabbedImage>(value)) {
        const GrabbedImage& image = value.cast<const GrabbedImage&>();
        const std::shared_ptr<PixelImage>& pixels = image.Pixels();
        m_pixels.Adopt(pixels, pixels->Data(), pixels->SizeBytes(), pixels->m_iWidth,
                       pixels->m_iHeight);
        m_origin = image.Origin();
    } else if (const auto path = PathOf(value)) {
        ReadFile(*path);
    } else if (PyObject_CheckBuffer(value.ptr())) {
        ReadArray(value, order);
    } else {
        RaiseBadInput(std::string(Name()) +
                      " takes a file path, an Image or an array of height x width x 4 bytes, not " +
                      Shown(value));
    }
}

void PixelsArgument::ReadFile(const std::string& path) {
    std::optional<std::string> problem;
    {
        py::gil_scoped_release release;
        ImageCodec& codec = LiveDesktop::Instance().Codec();
        DecodedImage decoded;
        if (m_role == Role::kPicture) {
            problem = LoadPictureFile(path, codec, decoded);
        } else if (const uint32_t status = codec.LoadImageFile(path, decoded);
                   status != kStatusOk || decoded.pixels.Empty()) {
            problem = "the haystack " + Quoted(path) + " " + LoadFailure(path, status);
        }
        m_pixels = std::move(decoded.pixels);
    }
    if (problem) {
        RaiseBadInput(*problem);
    }
}

void PixelsArgument::ReadArray(py::handle value, PixelOrder order) {
    auto view =
        std::make_unique<py::buffer_info>(py::reinterpret_borrow<py::buffer>(value).request());
    const std::string name = std::string("the ") + Name() + " array";
    if (view->ndim != 3 || view->shape[2] != 4 || !IsBytes(*view)) {
        RaiseBadInput(name + " must be height x width x 4 bytes (uint8), not of shape " +
                      ShapeText(*view) + " and format " + Quoted(view->format));
    }
    const py::ssize_t height = view->shape[0], width = view->shape[1];
    if (width == 0 || height == 0) {
        RaiseBadInput(name + " is empty: " + ShapeText(*view));
    }
    if (width > kMaxImageSide || height > kMaxImageSide ||
        uint64_t(width) * uint64_t(height) > kMaxImagePixels) {
        RaiseBadInput(name + " is too large (more than " + std::to_string(kMaxImageSide) + " x " +
                      std::to_string(kMaxImageSide) + " pixels or 512 MiB)");
    }
    auto* bytes = static_cast<uint8_t*>(view->ptr);
    if (m_role == Role::kHaystack && order == PixelOrder::kBgra && MatcherLayout(*view)) {
        m_pixels.Adopt(std::shared_ptr<void>(bytes, [](void*) {}), bytes,
                       std::size_t(width * height * 4), int32_t(width), int32_t(height));
        m_view = std::move(view);
        return;
    }
    // Red is the first byte of an RGBA pixel and the third of a BGRA one.
    const py::ssize_t red = order == PixelOrder::kRgba ? 0 : 2;
    const py::ssize_t sy = view->strides[0], sx = view->strides[1], sc = view->strides[2];
    py::gil_scoped_release release;
    m_pixels.Resize(int32_t(width), int32_t(height));
    for (py::ssize_t y = 0; y < height; ++y) {
        uint8_t* to = m_pixels.Row(int32_t(y));
        for (py::ssize_t x = 0; x < width; ++x, to += 4) {
            const uint8_t* from = bytes + y * sy + x * sx;
            to[0] = from[(2 - red) * sc];
            to[1] = from[sc];
            to[2] = from[red * sc];
            to[3] = from[3 * sc];
        }
    }
}

}  // namespace qrv::python
