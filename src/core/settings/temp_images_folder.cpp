#include "core/settings/temp_images_folder.h"

#include <filesystem>
#include <system_error>

#include "core/settings/utf8_path.h"

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
    std::filesystem::create_directories(Utf8Path(folder), ignored);
    return folder;
}

std::string TempImagesFolderProblem(const std::string& localDataFolder) {
    if (!Utf8Path(localDataFolder).is_absolute()) {
        return "The folder for captured pictures cannot be found: the user's data folder is "
               "not known (HOME and XDG_DATA_HOME are not set).";
    }
    const std::string folder = GetTempImagesFolder(localDataFolder);
    std::error_code error;
    if (std::filesystem::is_directory(Utf8Path(folder), error))
        return {};
    // Made again only to learn why it fails.
    std::filesystem::create_directories(Utf8Path(folder), error);
    if (!error && std::filesystem::is_directory(Utf8Path(folder), error))
        return {};
    const std::string reason = error ? error.message() : "a file of that name is in the way";
    return "The folder for captured pictures \"" + folder + "\" cannot be created: " + reason + ".";
}

}  // namespace qrv
