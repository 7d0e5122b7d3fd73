#pragma once

#include <cstdint>

#include "core/base/pixel_image.h"
#include "core/desktop/window_activator.h"
#include "core/settings/main_window_fields.h"

namespace qrv {

// Everything one search run needs: the window's fields as the run started,
// the switches the settings keep in the profile, and the run's own state.
// Filled when the run starts and owned by the worker while it runs.
struct SearchParams : MainWindowFields {
    bool m_bSpeakTextAsync = true;
    bool m_bMoveCursorWithSearch = false;
    bool m_maskTransparent = false;  // picture pixels of alpha 0 match any colour

    WindowId m_pMainWnd = 0;
    PixelImage m_oAreaImage;
    PixelImage m_oPictureImage;
    int32_t m_iAreaWidth = 0;
    int32_t m_iAreaHeight = 0;
    int32_t m_iPictureWidth = 0;
    int32_t m_iPictureHeight = 0;
    int32_t m_iFoundState = 0;  // 0 not found, 1 found, 2 found and actions done
};

}  // namespace qrv
