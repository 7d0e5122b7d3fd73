#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/base/geometry.h"
#include "core/base/pixel_image.h"
#include "core/desktop/display_layout.h"
#include "core/desktop/screen_source.h"
#include "core/search/picture_matcher.h"
#include "core/search/search_params.h"

namespace qrv {

// One look for a picture in an area of the screen outside a search run, as
// `explain` and the scripting front end make it: the area is checked against
// the desktop, captured, and scanned with a search's deviations and mask but
// without sweep, stop or actions. Capture again to look anew.
class AreaScan {
  public:
    // `picture` holds 4 bytes per pixel; an empty one never matches.
    AreaScan(PixelImage picture, Rect area, const int32_t (&deviation)[3], bool maskTransparent);

    // Why the area cannot be searched on this desktop, for the user; nothing
    // when it can.
    std::optional<std::string> AreaProblem(DisplayLayout& layout) const;
    // Captures the area. False when the desktop sent nothing of it
    // (SearchAttempt::kNoFrameText).
    bool Capture(ScreenSource& screen, DisplayLayout& layout);
    // The scan of the last capture.
    MatchInputs Inputs() const;
    // The captured area, in its own pixels.
    PixelImage& AreaImage() { return m_params.m_oAreaImage; }

  private:
    Rect m_area;
    SearchParams m_params;
};

}  // namespace qrv
