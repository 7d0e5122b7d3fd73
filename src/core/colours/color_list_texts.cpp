#include "core/colours/color_list_texts.h"

#include <charconv>
#include <cstdio>

namespace qrv {

std::string ImageFileColorsSummary(std::size_t count, std::string_view fileName, int32_t width,
                                   int32_t height) {
    return std::to_string(count) + " Unique Colors from File " + std::string(fileName) +
           " of Width " + std::to_string(width) + ", Height " + std::to_string(height);
}

std::string ScreenAreaColorsSummary(std::size_t count, const Rect& area) {
    return std::to_string(count) + " Unique Colors from Screen Area Top " +
           std::to_string(area.top) + ", Left " + std::to_string(area.left) + ", Width " +
           std::to_string(area.Width()) + ", Height " + std::to_string(area.Height());
}

std::string ColorListTitle(std::size_t rows, std::string_view appName) {
    return std::to_string(rows) + " Unique Pixel Color(s) - " + std::string(appName);
}

std::string ColorsFileDialogTitle(std::string_view appName) {
    return "Select Image File to View Unique Pixel Color(s) - " + std::string(appName);
}

std::string ImageLoadFailedText(uint32_t status, std::string_view path) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%x", status);
    return "Failed to Load Image, Error " + std::string(hex) + ".\n\n" + std::string(path);
}

void WriteColorRowsText(std::ostream& out, std::span<const uint32_t> colours) {
    char line[64];
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const uint32_t c = colours[i];
        char* p = std::to_chars(line, line + sizeof line, i + 1).ptr;
        for (const uint32_t channel : {c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF}) {
            *p++ = '\t';
            p = std::to_chars(p, line + sizeof line, channel).ptr;
        }
        *p++ = '\n';
        out.write(line, p - line);
    }
}

}  // namespace qrv
