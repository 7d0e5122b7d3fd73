#include "core/automation/control_list_text.h"

#include "core/automation/control_tree_reader.h"
#include "core/automation/element_finder.h"

namespace qrv {

namespace {

bool IsTrailingSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

std::string ClipboardText(const std::vector<ControlRow>& rows, bool onlyWithValues) {
    std::string text;
    for (const ControlRow& row : rows) {
        if (onlyWithValues && row.value.empty()) {
            continue;
        }
        if (!onlyWithValues) {
            text += row.sr + "\t";
        }
        text += row.name + "\t" + row.value + "\t" + row.canSetValue + "\r\n";
    }
    while (!text.empty() && IsTrailingSpace(text.back())) {
        text.pop_back();
    }
    return text;
}

std::string CopiedConfirmationText(const std::string& copiedText) {
    return "Copied to Clipboard. You can Press Esc Key to Close this Screen.\r\n\r\n" + copiedText;
}

std::optional<std::string> WindowControlsText(AutomationTree& tree, const std::string& windowName,
                                              bool onlyClickables) {
    const ElementPtr window = FindTopLevel(tree, tree.Root(), windowName);
    if (!window) {
        return std::nullopt;
    }
    return ClipboardText(ReadControls(window, onlyClickables).rows, false);
}

}  // namespace qrv
