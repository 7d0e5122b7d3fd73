#include "core/colours/color_columns.h"

#include <cstdio>

namespace qrv {

std::string ColorColumnWidthKey(int index) {
    char key[32];
    std::snprintf(key, sizeof key, kColorColumnWidthKeyFormat.data(), index);
    return key;
}

int32_t DefaultColorColumnWidth(int index, int32_t listWidth) {
    return kColorColumns[std::size_t(index)].baseWidth * listWidth / kColorColumnsBaseListWidth;
}

ColorColumnWidths LoadColorColumnWidths(ProfileStore& store, int32_t listWidth) {
    ColorColumnWidths widths{};
    const std::string section(kColorColumnWidthSection);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const int index = static_cast<int>(i);
        widths[i] = store.GetInt(section, ColorColumnWidthKey(index),
                                 DefaultColorColumnWidth(index, listWidth));
    }
    return widths;
}

void SaveColorColumnWidths(ProfileStore& store, std::span<const int32_t> widths) {
    const std::string section(kColorColumnWidthSection);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        store.WriteInt(section, ColorColumnWidthKey(static_cast<int>(i)), widths[i]);
    }
}

}  // namespace qrv
