#include "colours/export_file_paths.h"

#include <cstdio>

#include "capture/capture_file_path.h"

namespace qrv {

bool FileExists(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    std::fclose(file);
    return true;
}

std::string GetUniqueFilePath(std::string_view folder, std::string_view name,
                              std::string_view extension, Clock& clock) {
    const std::string stem = std::string(folder) + "/" + std::string(name);
    const std::string dotExtension = "." + std::string(extension);
    std::string path = stem + dotExtension;
    for (int retry = 0; retry < 2 && FileExists(path); ++retry) {
        path = stem + "-" + std::to_string(clock.TickMs()) + dotExtension;
    }
    if (FileExists(path)) {
        return {};
    }
    return CollapseDoubledSeparators(path);
}

}  // namespace qrv
