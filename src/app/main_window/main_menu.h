#pragma once

#include <QMenu>

namespace qrv {

class Shell;

// The main window's popup menu. "More Apps" opens its pages itself; the
// other commands are reported through the signals.
class MainMenu : public QMenu {
    Q_OBJECT

  public:
    MainMenu(Shell& shell, QWidget* parent);

  signals:
    void UniqueColorsRequested();
    void SettingsRequested();
    void AboutRequested();
    void ExitRequested();

  private:
    void AddMoreApps();

    Shell& m_shell;
};

}  // namespace qrv
