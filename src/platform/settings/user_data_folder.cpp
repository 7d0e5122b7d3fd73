#include "platform/settings/user_data_folder.h"

#include <QStandardPaths>
#include <QtGlobal>
#include <filesystem>
#include <system_error>

#include "core/settings/temp_images_folder.h"

namespace qrv {

std::string UserDataFolder() {
    // Without either the location would be made up from the root folder.
    if (qEnvironmentVariableIsEmpty("XDG_DATA_HOME") && qEnvironmentVariableIsEmpty("HOME"))
        return {};
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
}

std::string DefaultTempImagesFolder() {
    return GetTempImagesFolder(UserDataFolder());
}

std::string TempImagesFolderProblem(const std::string& localDataFolder) {
    if (localDataFolder.empty() || localDataFolder.front() != '/') {
        return "The folder for captured pictures cannot be found: the user's data folder is "
               "not known (HOME and XDG_DATA_HOME are not set).";
    }
    const std::string folder = GetTempImagesFolder(localDataFolder);
    std::error_code error;
    if (std::filesystem::is_directory(folder, error))
        return {};
    // Made again only to learn why it fails.
    std::filesystem::create_directories(folder, error);
    if (!error && std::filesystem::is_directory(folder, error))
        return {};
    const std::string reason = error ? error.message() : "a file of that name is in the way";
    return "The folder for captured pictures \"" + folder + "\" cannot be created: " + reason + ".";
}

}  // namespace qrv
