#pragma once

#include <QMenu>

namespace qrv {

// The main window's popup menu; its commands are reported through the signals.
class MainMenu : public QMenu {
    Q_OBJECT

  public:
    explicit MainMenu(QWidget* parent);

  signals:
    void UniqueColorsRequested();
    void WhyNotFoundRequested();
    void SettingsRequested();
    void AboutRequested();
    void ExitRequested();
};

}  // namespace qrv
