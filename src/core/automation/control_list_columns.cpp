#include "core/automation/control_list_columns.h"

namespace qrv {

std::string ColumnWidthKey(size_t column) {
    return "Column" + std::to_string(column);
}

ControlListWidths LoadColumnWidths(ProfileStore& store) {
    ControlListWidths widths{};
    for (size_t i = 0; i < widths.size(); ++i) {
        widths[i] = store.GetInt(std::string(kControlListSection), ColumnWidthKey(i),
                                 kControlListColumns[i].defaultWidth);
    }
    return widths;
}

void SaveColumnWidths(ProfileStore& store, const ControlListWidths& widths) {
    for (size_t i = 0; i < widths.size(); ++i) {
        store.WriteInt(std::string(kControlListSection), ColumnWidthKey(i), widths[i]);
    }
}

}  // namespace qrv
