#include "platform/settings/user_data_folder.h"

#include <QStandardPaths>
#include <QtGlobal>

namespace qrv {

std::string UserDataFolder() {
    // Without either the location would be made up from the root folder.
    if (qEnvironmentVariableIsEmpty("XDG_DATA_HOME") && qEnvironmentVariableIsEmpty("HOME"))
        return {};
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
}

}  // namespace qrv
