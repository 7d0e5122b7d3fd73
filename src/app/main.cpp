#include <QApplication>

#include "app/main_window/quorvane_dialog.h"
#include "app/services/platform_services.h"
#include "app/services/problem_report.h"
#include "app/widgets/dialog_file_prompts.h"
#include "platform/settings/ini_profile_store.h"
#include "platform/settings/user_data_folder.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvane"));

    // Captured pictures go to this folder; without it the program cannot work.
    const std::string localData = qrv::UserDataFolder();
    if (const std::string problem = qrv::TempImagesFolderProblem(localData); !problem.empty()) {
        qrv::ProblemReport::Tell(QString::fromStdString(problem));
        return 1;
    }

    qrv::IniProfileStore store(qrv::IniProfileStore::UserProfilePath());
    store.SetFailureReport(&qrv::ProblemReport::Tell);
    qrv::DialogFilePrompts prompts;
    qrv::PlatformServices platform(store, prompts, localData);
    qrv::QuorvaneDialog dialog(platform.Services());
    // Not run modally: the live preview must stay usable beside the window.
    QObject::connect(&dialog, &QDialog::finished, &app, &QApplication::quit);
    dialog.show();
    const int status = app.exec();
    // The window has written its settings when it finished.
    return store.Save() ? status : 1;
}
