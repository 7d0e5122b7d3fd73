#pragma once

class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace qrv {

class DialogUnits;
class HotKeyEdit;

// The main window's controls, created from its layout table in tab order and
// placed in dialog units. Controls with an identifier are named after it and
// looked up by that name.
class MainDialogControls {
  public:
    MainDialogControls(QWidget* dialog, const DialogUnits& units);

    QWidget* Widget(int id) const;
    QLineEdit* Edit(int id) const;
    QCheckBox* Check(int id) const;
    QPushButton* Button(int id) const;
    QLabel* Label(int id) const;
    HotKeyEdit* HotKey() const;

    // The edits that turn an emptied text into "0".
    static const int kGuardedEdits[5];

  private:
    QWidget* m_dialog;
};

}  // namespace qrv
