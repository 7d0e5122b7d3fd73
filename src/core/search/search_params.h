#pragma once

#include <cstdint>
#include <string>

#include "core/base/pixel_image.h"
#include "core/desktop/window_activator.h"

namespace qrv {

// Everything one search run needs, filled when the run starts and owned by
// the worker while it runs.
struct SearchParams {
    PixelImage m_oAreaImage;
    PixelImage m_oPictureImage;
    int32_t m_iAreaWidth = 0;
    int32_t m_iAreaHeight = 0;
    int32_t m_iPictureWidth = 0;
    int32_t m_iPictureHeight = 0;
    bool m_bSpeakTextAsync = true;
    int32_t m_iDeviationRed = 0;
    int32_t m_iDeviationGreen = 0;
    int32_t m_iDeviationBlue = 0;
    bool m_bMoveMouseToCenterOfPicture = true;
    bool m_bClickOnPicture = true;
    bool m_bCursorBack = true;
    bool m_bSpeakText = true;
    bool m_bExecuteScript = false;
    bool m_bMakeActiveWindow = false;
    bool m_bAbortSearch = false;
    WindowId m_pMainWnd = 0;
    std::string m_strTextToSpeak;
    int32_t m_iFoundState = 0;  // 0 not found, 1 found, 2 found and actions done
    std::string m_strPictureToFindFilePath;
    std::string m_strScriptToExecute;
    int32_t m_iScreenAreaLeft = 0;
    int32_t m_iScreenAreaTop = 0;
    int32_t m_iScreenAreaWidth = 0;
    int32_t m_iScreenAreaHeight = 0;
    bool m_bMoveCursorWithSearch = false;
    bool m_maskTransparent = false;  // picture pixels of alpha 0 match any colour
    uint32_t m_dwTimeDelay1 = 0;
    bool m_bClickAnotherTime = false;
    bool m_bClickElement = false;
    std::string m_strElementWindowName;
    std::string m_strElementName;
    std::string m_strElementValue;
    bool m_bDoNotUseValueToSearchElement = false;
    std::string m_strVerb;
};

}  // namespace qrv
