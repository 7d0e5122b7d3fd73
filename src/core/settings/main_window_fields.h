#pragma once

#include <cstdint>
#include <string>

#include "core/settings/profile.h"

namespace qrv {

// The values the main window binds to its controls: the search set-up of one
// instance. The window transfers its controls into these fields before a
// command uses them. Owned and touched by the user-interface thread only.
struct MainWindowFields {
    int32_t m_iScreenAreaLeft = 0;
    int32_t m_iScreenAreaTop = 0;
    int32_t m_iScreenAreaWidth = 0;
    int32_t m_iScreenAreaHeight = 0;
    int32_t m_iDeviationRed = 0;
    int32_t m_iDeviationGreen = 0;
    int32_t m_iDeviationBlue = 0;
    uint32_t m_dwTimeDelay1 = 0;
    bool m_bClickAnotherTime = false;
    bool m_bClickElement = false;
    bool m_bDoNotUseValueToSearchElement = false;
    std::string m_strScriptToExecute;
    std::string m_strVerb;
    bool m_bExecuteScript = false;
    std::string m_strPictureToFindFilePath;
    bool m_bCursorBack = false;
    bool m_bClickOnPicture = false;
    std::string m_strTextToSpeak;
    bool m_bSpeakText = false;
    bool m_bAbortSearch = false;
    bool m_bMakeActiveWindow = false;
    bool m_bMoveMouseToCenterOfPicture = false;
    int32_t m_interval = 0;  // milliseconds between attempts
    int32_t m_count = 0;     // attempts per run; 0 = until stopped
    // The element to invoke; chosen in the control browser, never stored.
    std::string m_strElementWindowName;
    std::string m_strElementName;
    std::string m_strElementValue;

    // Reads every stored field from the instance section (missing keys give
    // their defaults), in the order the window has always read them.
    void Load(Profile& profile);
    // Writes every stored field to the instance section. Write failures are
    // ignored.
    void Save(Profile& profile) const;
};

}  // namespace qrv
