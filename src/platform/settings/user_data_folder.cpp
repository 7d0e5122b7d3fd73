#include "settings/user_data_folder.h"

#include <QStandardPaths>

#include "settings/temp_images_folder.h"

namespace qrv {

std::string UserDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
}

std::string DefaultTempImagesFolder() {
    return GetTempImagesFolder(UserDataFolder());
}

}  // namespace qrv
