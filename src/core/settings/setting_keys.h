#pragma once

#include <cstdint>
#include <string_view>

namespace qrv {

inline constexpr std::string_view kAppName = "Quorvane by Tolbrin";
inline constexpr std::string_view kCompanyKey = "Tolbrin";

enum class Section { Instance, Settings, ControlList };

struct IntSetting {
    Section section;
    std::string_view key;
    int32_t def;
};

// A string whose default is computed at run time (the temporary images folder)
// has an empty `def` here and is read with an explicit default.
struct StringSetting {
    Section section;
    std::string_view key;
    std::string_view def;
};

// Every profile key of the program, with its section and default.
namespace keys {
// The main window's search set-up.
inline constexpr IntSetting kScreenAreaLeft{Section::Instance, "m_iScreenAreaLeft", 0};
inline constexpr IntSetting kScreenAreaTop{Section::Instance, "m_iScreenAreaTop", 0};
inline constexpr IntSetting kScreenAreaWidth{Section::Instance, "m_iScreenAreaWidth", 0};
inline constexpr IntSetting kScreenAreaHeight{Section::Instance, "m_iScreenAreaHeight", 0};
inline constexpr IntSetting kDeviationRed{Section::Instance, "m_iDeviationRed", 0};
inline constexpr IntSetting kDeviationGreen{Section::Instance, "m_iDeviationGreen", 0};
inline constexpr IntSetting kDeviationBlue{Section::Instance, "m_iDeviationBlue", 0};
inline constexpr IntSetting kTimeDelay1{Section::Instance, "m_dwTimeDelay1", 0};
inline constexpr IntSetting kClickAnotherTime{Section::Instance, "m_bClickAnotherTime", 0};
inline constexpr IntSetting kClickElement{Section::Instance, "m_bClickElement", 0};
inline constexpr IntSetting kDoNotUseValueToSearchElement{Section::Instance,
                                                          "m_bDoNotUseValueToSearchElement", 0};
inline constexpr StringSetting kScriptToExecute{Section::Instance, "ScriptToExecute", ""};
inline constexpr StringSetting kVerb{Section::Instance, "Verb", "Open"};
inline constexpr IntSetting kExecuteScript{Section::Instance, "ExecuteScript", 0};
inline constexpr StringSetting kPictureToFindFilePath{Section::Instance, "PictureToFindFilePath",
                                                      ""};
inline constexpr IntSetting kCursorBack{Section::Instance, "CursorBack", 1};
inline constexpr IntSetting kClickOnPicture{Section::Instance, "ClickOnPicture", 1};
inline constexpr StringSetting kTextToSpeak{Section::Instance, "TextToSpeak",
                                            "Picture Found in Screen Search Area"};
inline constexpr IntSetting kSpeakText{Section::Instance, "SpeakText", 1};
inline constexpr IntSetting kAbortSearch{Section::Instance, "AbortSearch", 0};
inline constexpr IntSetting kMakeActiveWindow{Section::Instance, "MakeActiveWindow", 0};
inline constexpr IntSetting kMoveMouseToCenterOfPicture{Section::Instance,
                                                        "MoveMouseToCenterOfPicture", 1};
inline constexpr IntSetting kInterval{Section::Instance, "Interval", 1000};
inline constexpr IntSetting kCount{Section::Instance, "Count", 1};
inline constexpr IntSetting kStartKey{Section::Instance, "Start Key", 0};
inline constexpr IntSetting kStartMod{Section::Instance, "Start Mod", 0};

// Owned by the settings dialog.
inline constexpr StringSetting kTempImagesFolder{Section::Instance, "TempImagesFolder", ""};
inline constexpr IntSetting kAutoDisplayPictureToFindPreview{Section::Instance,
                                                             "AutoDisplayPictureToFindPreview", 1};
inline constexpr IntSetting kAutoDisplayCapturedScreenAreaPreview{
    Section::Instance, "AutoDisplayCapturedScreenAreaPreview", 1};
inline constexpr IntSetting kMoveCursorWithSearch{Section::Instance, "MoveCursorWithSearch", 0};
inline constexpr IntSetting kClickTimeDelayMin{Section::Instance, "ClickTimeDelayMin", 100};
inline constexpr IntSetting kClickTimeDelayMax{Section::Instance, "ClickTimeDelayMax", 200};
inline constexpr IntSetting kSpeakTextAsync{Section::Instance, "SpeakTextAsync", 1};

// Shared by all instances: the selector's last rectangle.
inline constexpr IntSetting kStartingPointX{Section::Settings, "m_oStartingPoint.x", 0};
inline constexpr IntSetting kStartingPointY{Section::Settings, "m_oStartingPoint.y", 0};
inline constexpr IntSetting kClosingPointX{Section::Settings, "m_oClosingPoint.x", 0};
inline constexpr IntSetting kClosingPointY{Section::Settings, "m_oClosingPoint.y", 0};
}  // namespace keys

}  // namespace qrv
