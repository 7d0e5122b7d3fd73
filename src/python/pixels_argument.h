#pragma once

#include <pybind11/pybind11.h>

#include <memory>

#include "core/base/geometry.h"
#include "core/base/pixel_image.h"
#include "python/arguments.h"

namespace qrv::python {

// The pixels a call is given as its picture or its haystack, in the matcher's
// layout: an Image as it is; a file path, decoded (a picture only from a
// 32-bit file); or an array of height x width x 4 bytes (uint8) in `order`.
// A haystack array already in the matcher's layout is shown without a copy,
// so that argument must live, and be destroyed with the GIL held, after every
// use of its pixels; other pixels are owned or keep their owner alive.
// Throws BadInput with the command line's texts.
class PixelsArgument {
  public:
    enum class Role { kPicture, kHaystack };

    PixelsArgument(pybind11::handle value, PixelOrder order, Role role);

    // The pixels, taken by the caller.
    PixelImage& Pixels() { return m_pixels; }
    // Screen position of the top-left pixel: an Image's own, else (0, 0).
    Point Origin() const { return m_origin; }

  private:
    void ReadFile(const std::string& path);
    void ReadArray(pybind11::handle value, PixelOrder order);
    const char* Name() const { return m_role == Role::kPicture ? "picture" : "haystack"; }

    Role m_role;
    std::unique_ptr<pybind11::buffer_info> m_view;  // a haystack shown without a copy
    PixelImage m_pixels;
    Point m_origin;
};

}  // namespace qrv::python
