#pragma once

#include <span>

class QWidget;

namespace qrv {

class DialogUnits;

enum class ControlKind { Button, Label, Edit, Digits, ReadOnly, Group, Check, HotKey, Icon };

// One control of a fixed-size dialog: its kind, text and rectangle in dialog
// units. An icon is the program's, 32x32 pixels at the rectangle's corner.
struct ControlEntry {
    int id;  // 0: no identifier
    ControlKind kind;
    const char* text;
    int x, y, width, height;
    bool tabStop = true;
};

// Creates the table's controls on `dialog` in table order, which is the tab
// order, and places them. Controls with an identifier are named after it
// (FindControl). Buttons are not default buttons; frames stay behind the
// controls they surround.
void CreateControls(std::span<const ControlEntry> table, QWidget* dialog, const DialogUnits& units);

}  // namespace qrv
