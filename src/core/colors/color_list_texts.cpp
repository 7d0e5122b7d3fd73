#include "core/colors/color_list_texts.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/desktop/image_codec.h"
#include "core/settings/utf8_path.h"

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
    return "Failed to Load Image, Error " + std::string(hex) + ".\n\n" + std::string(path) +
           "\n\n" + ImageLoadFailureReason(status, path);
}

std::string ImageLoadFailureReason(uint32_t status, std::string_view path) {
    std::error_code error;
    const std::filesystem::file_status file = std::filesystem::status(Utf8Path(path), error);
    if (file.type() == std::filesystem::file_type::not_found) {
        return "The file does not exist.";
    }
    if (error) {
        return "The file cannot be reached: " + error.default_error_condition().message() + ".";
    }
    if (!std::filesystem::is_regular_file(file)) {
        return "It is not a regular file.";
    }
    if (!std::ifstream(Utf8Path(path), std::ios::binary)) {
        return "You have no permission to read the file.";
    }
    if (status == kStatusOutOfMemory) {
        return "The picture is too large to load.";
    }
    if (status == kStatusNotSupported) {
        return "It is a JPEG, GIF or TIFF file; only PNG and BMP files are read here.";
    }
    return "The file is not an image in a format this program reads.";
}

void WriteColorRowsText(std::ostream& out, std::span<const uint32_t> colors) {
    char line[64];
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const uint32_t c = colors[i];
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
