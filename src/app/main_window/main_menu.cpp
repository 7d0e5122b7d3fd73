#include "main_window/main_menu.h"

#include <string>

#include "app_links.h"
#include "search/shell.h"

namespace qrv {

MainMenu::MainMenu(Shell& shell, QWidget* parent) : QMenu(parent), m_shell(shell) {
    setObjectName(QStringLiteral("mainMenu"));
    addAction(QStringLiteral("Unique Color(s) from Image File..."), this,
              &MainMenu::UniqueColorsRequested);
    addSeparator();
    addAction(QStringLiteral("Settings..."), this, &MainMenu::SettingsRequested);
    addSeparator();
    AddMoreApps();
    addSeparator();
    addAction(QStringLiteral("&About Quorvane..."), this, &MainMenu::AboutRequested);
    addSeparator();
    addAction(QStringLiteral("Exit"), this, &MainMenu::ExitRequested);
}

void MainMenu::AddMoreApps() {
    QMenu* more = addMenu(QStringLiteral("More Apps"));
    bool first = true;
    for (const AppLink& link : kMoreApps) {
        if (!first) {
            more->addSeparator();
        }
        first = false;
        const std::string address(link.address);
        more->addAction(QString::fromUtf8(link.title.data(), qsizetype(link.title.size())), this,
                        [this, address] { m_shell.Open(address); });
    }
}

}  // namespace qrv
