#include "desktop/desktop_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "settings/setting_keys.h"

namespace qrv {

std::string GetDesktopFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation).toStdString();
}

std::string GetDesktopAppFolder() {
    const QString name = QString::fromUtf8(kAppName.data(), qsizetype(kAppName.size()));
    const QString folder =
        QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) +
                        QLatin1Char('/') + name);
    if (!QFileInfo::exists(folder)) {
        QDir().mkdir(folder);
    }
    return folder.toStdString();
}

}  // namespace qrv
