#include "core/search/area_scan.h"

#include <utility>

#include "core/desktop/image_codec.h"
#include "core/search/search_area_check.h"
#include "core/search/search_attempt.h"
#include "core/search/search_set_up.h"

namespace qrv {

AreaScan::AreaScan(PixelImage picture, Rect area, const int32_t (&deviation)[3],
                   bool maskTransparent)
    : m_area(area) {
    m_params.m_iScreenAreaLeft = area.left;
    m_params.m_iScreenAreaTop = area.top;
    m_params.m_iScreenAreaWidth = area.Width();
    m_params.m_iScreenAreaHeight = area.Height();
    m_params.m_iDeviationRed = deviation[0];
    m_params.m_iDeviationGreen = deviation[1];
    m_params.m_iDeviationBlue = deviation[2];
    m_params.m_maskTransparent = maskTransparent;
    DecodedImage decoded;
    decoded.pixels = std::move(picture);
    decoded.bitsPerPixel = 32;
    TakeSearchPicture(kStatusOk, std::move(decoded), m_params);
}

std::optional<std::string> AreaScan::AreaProblem(DisplayLayout& layout) const {
    return SearchAreaProblem(m_area.left, m_area.top, m_area.Width(), m_area.Height(),
                             layout.VirtualScreen());
}

bool AreaScan::Capture(ScreenSource& screen, DisplayLayout& layout) {
    return SearchAttempt::CaptureArea(screen, layout, m_area, m_params.m_oAreaImage);
}

MatchInputs AreaScan::Inputs() const {
    return SearchAttempt::ScanInputs(m_params);
}

}  // namespace qrv
