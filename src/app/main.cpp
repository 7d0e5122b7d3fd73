#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include "main_window/quorvane_dialog.h"
#include "services/platform_services.h"
#include "settings/ini_profile_store.h"
#include "settings/temp_images_folder.h"
#include "widgets/dialog_file_prompts.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvane"));

    // Captured pictures go to this folder; without it the program cannot work.
    const std::string localData =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
    const std::string folder = qrv::GetTempImagesFolder(localData);
    if (!QFileInfo(QString::fromStdString(folder)).isDir()) {
        return 0;
    }

    qrv::IniProfileStore store(qrv::IniProfileStore::UserProfilePath());
    qrv::DialogFilePrompts prompts;
    qrv::PlatformServices platform(store, prompts, localData);
    qrv::QuorvaneDialog dialog(platform.Services());
    // Not run modally: the live preview must stay usable beside the window.
    QObject::connect(&dialog, &QDialog::finished, &app, &QApplication::quit);
    dialog.show();
    return app.exec();
}
