#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QDialog>
#include <QPointer>
#include <QTimer>

#include "app/automation/control_browser_deps.h"
#include "app/widgets/qt_one_shot_timer.h"
#include "core/automation/control_browser_model.h"
#include "core/automation/control_list_monitor.h"
#include "core/automation/element_choice.h"
#include "core/desktop/automation_tree.h"
#include "core/desktop/top_level_windows.h"
#include "core/search/search_view.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;

namespace qrv {

struct AppServices;

class ColorStatusLabel;
class ControlListModel;

// Lets the user pick, from a live view of another application's controls,
// the element that the "Click Element" action invokes: a window is chosen by
// its title, its named controls are listed and can be clicked, focused,
// copied to the clipboard or sent back as the three "Click Element" strings.
//
// The list follows name changes inside the chosen window (one refill the
// refresh delay after a burst), and optionally the window's title on a timer.
//
// Use from the main window:
//     if (auto choice = ControlBrowserDialog::Browse(this, services)) { ... }
class ControlBrowserDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kStatusPeriodMs = 1000;
    static constexpr int kTipDelayMs = 500;
    static constexpr uint32_t kDefaultTitlePeriodMs = 2000;

    // `parent` is the window that "Send to QRV" hands the element to.
    explicit ControlBrowserDialog(ControlBrowserDeps deps, QWidget* parent = nullptr);
    ~ControlBrowserDialog() override;

    // Runs the dialog modally over the desktop's accessibility tree; the
    // element sent with "Send to QRV", or none when the dialog ended otherwise
    // (at once, with an error beep, where the desktop cannot watch name
    // changes). Without a tree it opens all the same and says so.
    static std::optional<ElementChoice> Browse(QWidget* parent, AppServices& services);

    // The element "Send to QRV" chose; none until then.
    const std::optional<ElementChoice>& Choice() const { return m_choice; }
    // Number of times the control list was read from the window.
    int FillCount() const { return m_fills; }
    bool AutomationAvailable() const { return m_root != nullptr; }
    // Runs while "Timer Based Monitor" is ticked.
    const QTimer& TitleTimer() const { return m_titleTimer; }

    void FillWindowList();
    void ChooseWindow(int index);
    void FillControlList();
    void ClickSelected();
    void FocusSelected();
    void ShowDetails();
    void CopyToClipboard();
    void SendToMainWindow();
    void ShowMenu(const QPoint& globalPos);

    // Enter: closes with OK when a row is selected.
    void accept() override;
    void done(int result) override;

  signals:
    // The control list was read anew from the chosen window.
    void ControlListFilled();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void Build();
    void BuildMenu();
    void Connect();
    void OpenAutomation();
    void CheckAccessibility();
    void ShowTip();
    void OnListFilled();
    void UpdateViews();
    void UpdateStatus();
    void WatchTitle();
    void SetOnTop(bool on);
    void OnTitlePeriodEdited();
    void OnRefreshDelayEdited();
    void RestartTitleTimer();
    void SaveColumnWidths();
    // The selected row once the selection checks pass; shows their message.
    std::optional<size_t> CheckedSelection();
    // Like CheckedSelection, and the chosen window must still exist.
    std::optional<size_t> ActionableRow();
    const TopLevelWindow* ChosenWindow() const;
    std::optional<TopLevelWindow> Lookup(WindowId id) const;
    void Message(std::string_view text, MessageIcon icon);

    ControlBrowserDeps m_deps;
    QPointer<QWidget> m_receiver;
    std::shared_ptr<AutomationTree> m_tree;
    ElementPtr m_root;
    ControlBrowserModel m_model;
    QtOneShotTimer m_refreshTimer;
    ControlListMonitor m_monitor;
    std::vector<TopLevelWindow> m_windows;
    std::optional<ElementChoice> m_choice;
    QTimer m_titleTimer;
    QTimer m_statusTimer;
    QTimer m_tipTimer;
    uint32_t m_titlePeriod = kDefaultTitlePeriodMs;
    int m_fills = 0;
    bool m_initialised = false;
    bool m_shown = false;
    bool m_done = false;

    QComboBox* m_windowList = nullptr;
    QLineEdit* m_editTexts = nullptr;
    QTableView* m_list = nullptr;
    ControlListModel* m_rows = nullptr;
    QLineEdit* m_windowName = nullptr;
    QCheckBox* m_automated = nullptr;
    QLineEdit* m_delay = nullptr;
    QLabel* m_fillTime = nullptr;
    QCheckBox* m_timerWatch = nullptr;
    QLineEdit* m_period = nullptr;
    QCheckBox* m_onTop = nullptr;
    QCheckBox* m_onlyWithValues = nullptr;
    ColorStatusLabel* m_status = nullptr;
    QCheckBox* m_onlyClickables = nullptr;
    QMenu* m_menu = nullptr;
};

}  // namespace qrv
