#pragma once

#include <pybind11/pybind11.h>

#include <memory>
#include <optional>
#include <string>

#include "core/base/geometry.h"
#include "core/base/pixel_image.h"

namespace qrv::python {

// A picture of part of the screen, as grab() returns it (quorvane.Image):
// opaque blue-green-red-alpha pixels and the screen position they came from.
// Read-only; its pixels are shared with searches of it without a copy.
class GrabbedImage {
  public:
    // Takes the pixels of a capture of `area`, making every one opaque.
    GrabbedImage(const PixelImage& pixels, Rect area);

    // Captures `region` of the live desktop, the whole virtual screen when
    // none is given. Call without the GIL.
    static GrabbedImage Grab(std::optional<Rect> region);

    const std::shared_ptr<PixelImage>& Pixels() const { return m_pixels; }
    Point Origin() const { return {m_area.left, m_area.top}; }
    int32_t Width() const { return m_area.Width(); }
    int32_t Height() const { return m_area.Height(); }

    // Writes the pixels as a PNG file; throws QuorvaneError when it cannot.
    void Save(const std::string& path) const;
    // The buffer protocol's view: height x width x 4 bytes, read-only.
    pybind11::buffer_info View() const;

    // Adds the class to the module as Image.
    static void Add(pybind11::module_& m);

  private:
    std::shared_ptr<PixelImage> m_pixels;
    Rect m_area;
};

}  // namespace qrv::python
