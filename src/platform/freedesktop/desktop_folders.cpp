#include "platform/freedesktop/desktop_folders.h"

#include <QDir>
#include <QStandardPaths>

#include "core/settings/setting_keys.h"

namespace qrv {

namespace {

// `folder` once it exists, else `fallback`.
QString MadeOr(const QString& folder, const QString& fallback) {
    return QDir().mkpath(folder) ? folder : fallback;
}

QString DesktopFolder() {
    return MadeOr(
        QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)),
        QDir::homePath());
}

}  // namespace

std::string GetDesktopFolder() {
    return DesktopFolder().toStdString();
}

std::string GetDesktopAppFolder() {
    const QString name = QString::fromUtf8(kAppName.data(), qsizetype(kAppName.size()));
    const QString desktop = DesktopFolder();
    return MadeOr(QDir::cleanPath(desktop + QLatin1Char('/') + name), desktop).toStdString();
}

}  // namespace qrv
