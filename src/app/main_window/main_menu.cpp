#include "app/main_window/main_menu.h"

namespace qrv {

MainMenu::MainMenu(QWidget* parent) : QMenu(parent) {
    setObjectName(QStringLiteral("mainMenu"));
    addAction(QStringLiteral("Unique Color(s) from Image File..."), this,
              &MainMenu::UniqueColorsRequested);
    addSeparator();
    addAction(QStringLiteral("Settings..."), this, &MainMenu::SettingsRequested);
    addSeparator();
    addAction(QStringLiteral("&About Quorvane..."), this, &MainMenu::AboutRequested);
    addSeparator();
    addAction(QStringLiteral("Exit"), this, &MainMenu::ExitRequested);
}

}  // namespace qrv
