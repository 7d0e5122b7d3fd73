#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/desktop/profile_store.h"

namespace qrv {

enum class ColumnAlignment { Left, Centre };

struct ColorColumn {
    std::string_view title;
    ColumnAlignment alignment;
    // Width at a list 575 pixels wide; scaled to the list's actual width.
    int32_t baseWidth;
};

// The columns of the colour list; column 1 is painted in the row's colour.
inline constexpr std::array<ColorColumn, 5> kColorColumns{{
    {"Sr No", ColumnAlignment::Left, 50},
    {"Color", ColumnAlignment::Centre, 150},
    {"Red", ColumnAlignment::Centre, 75},
    {"Green", ColumnAlignment::Centre, 75},
    {"Blue", ColumnAlignment::Centre, 75},
}};
inline constexpr int kColorSwatchColumn = 1;
inline constexpr int32_t kColorColumnsBaseListWidth = 575;

// Column widths persist in the shared section under "ColumnPD<index>".
inline constexpr std::string_view kColorColumnWidthSection = "Settings";
inline constexpr std::string_view kColorColumnWidthKeyFormat = "ColumnPD%d";

using ColorColumnWidths = std::array<int32_t, kColorColumns.size()>;

std::string ColorColumnWidthKey(int index);
// baseWidth * listWidth / 575, truncated.
int32_t DefaultColorColumnWidth(int index, int32_t listWidth);
// Stored widths, or the defaults for a list `listWidth` pixels wide.
ColorColumnWidths LoadColorColumnWidths(ProfileStore& store, int32_t listWidth);
// Writes the widths of the columns the list still has.
void SaveColorColumnWidths(ProfileStore& store, std::span<const int32_t> widths);

}  // namespace qrv
