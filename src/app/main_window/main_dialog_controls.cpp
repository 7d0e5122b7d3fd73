#include "app/main_window/main_dialog_controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/main_window/control_ids.h"
#include "app/widgets/control_table.h"
#include "app/widgets/find_control.h"
#include "app/widgets/hot_key_edit.h"

namespace qrv {

namespace {

using Kind = ControlKind;

// Template order, which is also the tab order.
constexpr ControlEntry kLayout[] = {
    {ctl::kCaptureScreenArea, Kind::Button, "Capture Screen Area", 18, 18, 106, 34},
    {0, Kind::Label, "Left :", 134, 22, 18, 8},
    {ctl::kAreaLeft, Kind::Edit, "", 158, 20, 40, 14},
    {0, Kind::Label, "Top :", 134, 43, 18, 8},
    {ctl::kAreaTop, Kind::Edit, "", 158, 39, 40, 14},
    {0, Kind::Label, "Width :", 206, 22, 24, 8},
    {ctl::kAreaWidth, Kind::Digits, "", 236, 20, 40, 14},
    {0, Kind::Label, "Height :", 204, 43, 26, 8},
    {ctl::kAreaHeight, Kind::Digits, "", 236, 39, 40, 14},
    {ctl::kAreaPreview, Kind::Button, "Preview", 288, 18, 106, 34},
    {0, Kind::Group, "Picture to Find", 7, 64, 397, 76},
    {ctl::kCapturePicture, Kind::Button, "Capture Picture", 18, 77, 106, 34},
    {ctl::kSelectPictureFile, Kind::Button, "Select Picture File", 138, 77, 106, 34},
    {ctl::kPicturePreview, Kind::Button, "Preview", 287, 77, 106, 34},
    {ctl::kPicturePath, Kind::ReadOnly, "", 18, 118, 265, 12, false},
    {ctl::kLocate, Kind::Button, "Locate", 287, 117, 50, 14},
    {0, Kind::Label, "Deviation in Color (Values from 0 to 255)", 7, 149, 130, 8},
    {0, Kind::Label, "Red :", 158, 148, 18, 8},
    {ctl::kDeviationRed, Kind::Digits, "", 182, 146, 40, 14},
    {0, Kind::Label, "Green :", 230, 149, 25, 8},
    {ctl::kDeviationGreen, Kind::Digits, "", 261, 146, 40, 14},
    {0, Kind::Label, "Blue :", 311, 149, 19, 8},
    {ctl::kDeviationBlue, Kind::Digits, "", 336, 146, 40, 14},
    {ctl::kFind, Kind::Button, "Find", 18, 167, 106, 34},
    {0, Kind::Label, "Keyboard Shortcut to Start / Stop ", 143, 171, 111, 8},
    {ctl::kHotKey, Kind::HotKey, "", 260, 168, 134, 14},
    {ctl::kAssign, Kind::Button, "Assign", 290, 189, 50, 14},
    {ctl::kClear, Kind::Button, "Clear", 344, 189, 50, 14},
    {0, Kind::Group, "When Picture is Found in Search Area", 7, 207, 397, 139},
    {ctl::kMoveMouse, Kind::Check, "Move Mouse to Center of Picture Found", 22, 220, 143, 10},
    {ctl::kSpeakText, Kind::Check, "Speak Text", 176, 220, 52, 10},
    {ctl::kTextToSpeak, Kind::Edit, "", 234, 218, 160, 14},
    {ctl::kClickElement, Kind::Check, "Click Element", 22, 237, 57, 10},
    {ctl::kElementWindow, Kind::ReadOnly, "", 85, 235, 308, 14},
    {ctl::kElementName, Kind::ReadOnly, "", 86, 254, 144, 14},
    {ctl::kElementValue, Kind::ReadOnly, "", 249, 254, 144, 14},
    {ctl::kSelectElement, Kind::Button, "Select Element...", 85, 274, 79, 14},
    {ctl::kClickElementNow, Kind::Button, "Click Element Now", 167, 274, 79, 14},
    {ctl::kDoNotUseValue, Kind::Check, "Do Not Use Value to Search Element", 255, 276, 131, 10},
    {ctl::kClickOnPicture, Kind::Check, "Click at Center of Picture Found", 22, 294, 117, 10},
    {ctl::kClickAnotherTime, Kind::Check, "Click Another Time", 153, 294, 75, 10},
    {ctl::kCursorBack, Kind::Check, "Cursor Back", 238, 294, 54, 10},
    {0, Kind::Label, "Time Delay", 311, 295, 36, 8},
    {ctl::kTimeDelay, Kind::Digits, "", 353, 292, 40, 14},
    {ctl::kExecute, Kind::Check, "Execute", 22, 312, 42, 10},
    {ctl::kScript, Kind::Edit, "", 85, 310, 254, 14},
    {ctl::kBrowse, Kind::Button, "Browse", 344, 310, 50, 14},
    {ctl::kVerb, Kind::Edit, "", 273, 326, 66, 14},
    {ctl::kMakeActiveWindow, Kind::Check, "Switch Focus to this Window", 22, 328, 107, 10},
    {ctl::kAbortSearch, Kind::Check, "Abort Search", 142, 328, 58, 10},
    {0, Kind::Label, "How Many Times to Find :", 82, 351, 83, 8},
    {ctl::kCount, Kind::Digits, "", 170, 348, 40, 14},
    {0, Kind::Label, "Interval (in msec) :", 224, 351, 62, 8},
    {ctl::kInterval, Kind::Digits, "", 290, 348, 40, 14},
    {ctl::kStatus, Kind::Label, "Search Status will Appear Here", 9, 367, 344, 8},
    {ctl::kCursorText, Kind::Label, "Static", 9, 382, 112, 8},
    {ctl::kMenu, Kind::Button, "Menu", 180, 379, 50, 14},
    {0, Kind::Group, "Select Screen Area in which to Search for Picture", 7, 3, 397, 58},
    {ctl::kInstanceNumber, Kind::Label, "Static", 370, 367, 31, 8},
    {0, Kind::Label, "Verb :", 248, 329, 20, 8},
    {ctl::kAreaColors, Kind::Button, "...", 372, 54, 21, 12, false},
    {ctl::kPictureColors, Kind::Button, "Colors...", 343, 117, 50, 14, false},
};

}  // namespace

const int MainDialogControls::kGuardedEdits[5] = {ctl::kCount, ctl::kInterval, ctl::kDeviationRed,
                                                  ctl::kDeviationGreen, ctl::kDeviationBlue};

MainDialogControls::MainDialogControls(QWidget* dialog, const DialogUnits& units)
    : m_dialog(dialog) {
    CreateControls(kLayout, dialog, units);
}

QWidget* MainDialogControls::Widget(int id) const {
    return FindControl(m_dialog, id);
}

QLineEdit* MainDialogControls::Edit(int id) const {
    return FindControl<QLineEdit>(m_dialog, id);
}

QCheckBox* MainDialogControls::Check(int id) const {
    return FindControl<QCheckBox>(m_dialog, id);
}

QPushButton* MainDialogControls::Button(int id) const {
    return FindControl<QPushButton>(m_dialog, id);
}

QLabel* MainDialogControls::Label(int id) const {
    return FindControl<QLabel>(m_dialog, id);
}

HotKeyEdit* MainDialogControls::HotKey() const {
    return FindControl<HotKeyEdit>(m_dialog, ctl::kHotKey);
}

}  // namespace qrv
