#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/automation/control_row.h"
#include "core/desktop/automation_tree.h"

namespace qrv {

// The control list as clipboard text: one line per row, cells joined by tabs,
// lines ended by "\r\n", trailing white space of the whole text removed. With
// onlyWithValues, rows without a value are left out and so is the "Sr" cell.
std::string ClipboardText(const std::vector<ControlRow>& rows, bool onlyWithValues);

// The confirmation shown after copying text to the clipboard.
std::string CopiedConfirmationText(const std::string& copiedText);

// The clipboard text of all rows of the first top-level window named
// windowName; none when the tree or the window cannot be found.
std::optional<std::string> WindowControlsText(AutomationTree& tree, const std::string& windowName,
                                              bool onlyClickables);

}  // namespace qrv
