#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/desktop/profile_store.h"

namespace qrv {

struct ControlListColumn {
    std::string_view header;
    int32_t defaultWidth;
};

inline constexpr std::array<ControlListColumn, 4> kControlListColumns{
    {{"Sr", 50}, {"Name", 220}, {"Value", 220}, {"Can Set Value", 100}}};

using ControlListWidths = std::array<int32_t, kControlListColumns.size()>;

inline constexpr std::string_view kControlListSection = "ControlList";

// "Column%d" with the column index.
std::string ColumnWidthKey(size_t column);
// The stored widths of the control list's columns, defaults where none.
ControlListWidths LoadColumnWidths(ProfileStore& store);
void SaveColumnWidths(ProfileStore& store, const ControlListWidths& widths);

}  // namespace qrv
