#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/main_window/quorvane_dialog.h"
#include "app/services/platform_services.h"
#include "app/services/problem_report.h"
#include "app/widgets/dialog_file_prompts.h"
#include "core/settings/temp_images_folder.h"
#include "platform/desktop_platform.h"

int main(int argc, char* argv[]) {
    // Answered before the application object exists, so it needs no display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("quorvane " QRV_VERSION);
        return 0;
    }
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvane"));

    std::unique_ptr<qrv::DesktopPlatform> platform = qrv::OpenDesktopPlatform();
    if (platform->sessionFailure == qrv::SessionFailure::kDeclined) {
        // Nothing is kept of the answer: the next start asks again.
        qrv::ProblemReport::Tell(
            QStringLiteral("Quorvane cannot start: %1. Start it again to be asked again.")
                .arg(QString::fromStdString(qrv::SessionFailureText(*platform))));
        return 1;
    }
    if (!platform->HasSession()) {
        qrv::ProblemReport::Tell(QStringLiteral("The desktop session (%1) cannot be reached.")
                                     .arg(QString::fromStdString(platform->name)));
        return 1;
    }
    // Captured pictures go to this folder; without it the program cannot work.
    const std::string localData = platform->folders->LocalDataFolder();
    if (const std::string problem = qrv::TempImagesFolderProblem(localData); !problem.empty()) {
        qrv::ProblemReport::Tell(QString::fromStdString(problem));
        return 1;
    }

    qrv::ProfileStore& store = *platform->profile;
    store.SetFailureReport([](const std::string& reason) {
        qrv::ProblemReport::Tell(QString::fromStdString(reason));
    });
    qrv::DialogFilePrompts prompts;
    qrv::PlatformServices services(*platform, store, prompts, localData);
    qrv::QuorvaneDialog dialog(services.Services());
    // Not run modally: the live preview must stay usable beside the window.
    QObject::connect(&dialog, &QDialog::finished, &app, &QApplication::quit);
    dialog.show();
    const int status = app.exec();
    // The window has written its settings when it finished.
    return store.Save() ? status : 1;
}
