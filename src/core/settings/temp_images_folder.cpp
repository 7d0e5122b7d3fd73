#include "core/settings/temp_images_folder.h"

#include <filesystem>
#include <system_error>

namespace qrv {

namespace {

// One left-to-right pass, like a plain find-and-replace of "//" by "/".
std::string CollapseDoubledSeparators(const std::string& path) {
    std::string result;
    result.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        result += path[i];
        if (path[i] == '/' && i + 1 < path.size() && path[i + 1] == '/') {
            ++i;
        }
    }
    return result;
}

}  // namespace

std::string GetTempImagesFolder(const std::string& localDataFolder) {
    std::string folder =
        CollapseDoubledSeparators(localDataFolder + "/" + std::string(kTempImagesFolderName));
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

}  // namespace qrv
