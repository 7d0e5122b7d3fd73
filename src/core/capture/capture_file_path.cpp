#include "core/capture/capture_file_path.h"

#include "core/capture/replace_invalid_file_name_chars.h"

namespace qrv {

std::string CollapseDoubledSeparators(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        out += path[i];
        if (path[i] == '/' && i + 1 < path.size() && path[i + 1] == '/') {
            ++i;
        }
    }
    return out;
}

std::string BuildCaptureFilePath(std::string_view folder, std::string_view baseName,
                                 std::string_view dateText, std::string_view extension) {
    std::string name = std::string(baseName) + " at " + std::string(dateText);
    ReplaceInvalidFileNameChars(name);
    std::string path = std::string(folder) + "/" + name + "." + std::string(extension);
    return CollapseDoubledSeparators(path);
}

}  // namespace qrv
