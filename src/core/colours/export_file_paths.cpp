#include "core/colours/export_file_paths.h"

#include <cstdio>

#include "core/capture/capture_file_path.h"

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
    const auto candidate = [&](std::string_view suffix) {
        std::string path;
        path.append(folder).append("/").append(name).append(suffix);
        return path.append(".").append(extension);
    };
    std::string path = candidate("");
    for (int retry = 0; retry < 2 && FileExists(path); ++retry) {
        path = candidate(std::string("-").append(std::to_string(clock.TickMs())));
    }
    if (FileExists(path)) {
        return {};
    }
    return CollapseDoubledSeparators(path);
}

}  // namespace qrv
