#pragma once

#include <pybind11/pybind11.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "core/search/area_scan.h"
#include "core/search/image_screen_source.h"
#include "core/search/match_explainer.h"
#include "core/search/offscreen_desktop.h"
#include "python/arguments.h"
#include "python/pixels_argument.h"

namespace qrv::python {

// One call of locate, locate_all, explain or wait. Its arguments are all
// checked and converted when it is made, with the GIL held, before anything
// is captured or any consent is asked; the look itself runs with the GIL
// released, on the live desktop or on the haystack. Destroy it with the GIL
// held.
class SearchCall {
  public:
    SearchCall(pybind11::handle picture, pybind11::handle region, pybind11::handle deviation,
               bool maskTransparent, pybind11::handle haystack, pybind11::handle order);

    // Call these without the GIL.
    std::optional<Point> Locate();
    std::vector<Point> LocateAll(std::size_t limit);
    MatchExplanation Explain();

    // Looks again every `interval` seconds until found or `timeout` seconds
    // have passed (never: no timeout); the first look is always made. Call
    // with the GIL held: it is released while looking and waiting, and taken
    // back every few milliseconds to run signal handlers, so that Ctrl+C
    // raises KeyboardInterrupt at once.
    std::optional<Point> Wait(std::optional<double> timeout, double interval);

  private:
    // The captured area's scan; throws when the area cannot be searched or
    // read.
    MatchInputs Look();

    PixelImage m_picture;  // until the first look
    std::optional<Rect> m_region;
    Deviation m_deviation;
    bool m_maskTransparent;
    std::unique_ptr<PixelsArgument> m_haystack;
    std::unique_ptr<ImageScreenSource> m_haystackSource;
    std::unique_ptr<OffscreenDesktop> m_haystackDesktop;
    std::optional<AreaScan> m_scan;
};

}  // namespace qrv::python
