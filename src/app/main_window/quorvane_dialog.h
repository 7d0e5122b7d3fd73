#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <QDialog>
#include <QPointer>
#include <QTimer>

#include "app/widgets/field_exchange.h"
#include "core/base/geometry.h"
#include "core/search/search_view.h"
#include "core/settings/main_window_fields.h"

namespace qrv {

struct AppServices;
class CaptureCommands;
class LivePreview;
class MainDialogControls;
class MainMenu;
class PictureFileCommands;
class SearchController;

// The main window: the search set-up of one instance, its commands, the
// status line and the cursor position. It owns the search controller and is
// the view the search reports to; reports from the worker thread are queued
// to the user-interface thread.
class QuorvaneDialog : public QDialog, public SearchView {
    Q_OBJECT

  public:
    static constexpr int kCursorTimerMs = 100;

    explicit QuorvaneDialog(AppServices& services, QWidget* parent = nullptr);
    ~QuorvaneDialog() override;

    // SearchView
    void SetStatusText(const std::string& text) override;
    void SetFindButtonText(const std::string& text) override;
    void SetSearchingIcon(bool searching) override;
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    bool TransferControlsToFields() override;
    void PostSearchProgress() override;
    void PostSearchFinished() override;
    void EndDialog(int result) override;
    void RefreshLivePreview() override;
    WindowId MainWindowId() override;
    HotKeyValue GetHotKey() override;
    void SetHotKey(HotKeyValue value) override;

    void accept() override;
    void done(int result) override;

    const MainDialogControls& Controls() const { return *m_controls; }
    MainWindowFields& Fields() { return m_fields; }
    SearchController& Controller() { return *m_controller; }
    LivePreview* CurrentLivePreview() const;
    MainMenu& Menu() const { return *m_menu; }
    bool SearchingIconShown() const { return m_searchingIcon; }
    int32_t InstanceNumber() const { return m_instanceNumber; }

    // Commands of the buttons and the menu.
    void OnCaptureScreenArea();
    void OnCapturePicture();
    void OnSelectPictureFile();
    void OnLocate();
    void OnLivePreview();
    void OnPicturePreview();
    void OnBrowseScript();
    void OnSelectElement();
    void OnClickElementNow();
    void OnAreaColors();
    void OnPictureColors();
    void OnSettings();
    // Explains the last attempt and offers its needs as the deviation.
    void OnWhyNotFound();
    void OnAbout();
    void OnHelp();
    void ShowPopupMenu();

    // The verb rule of script browsing: scripts of the sibling program run
    // with "Execute", other files keep the verb.
    static std::string VerbForScript(const std::string& path, const std::string& verb);

  signals:
    // The status line shows a new text (on the user-interface thread).
    void StatusTextChanged(const QString& text);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void Bind();
    void Connect();
    void Initialise();
    void PublishToggles();
    void ShowCursorPosition();
    void GuardEmptyEdit(int id);
    // False, after telling the user, when the fields' area cannot be captured.
    bool AreaFitsTheScreen();
    // Stops any run and stores the settings; runs once, however the window ends.
    void Finish(FieldExchange::OnBadNumber onBad);
    // Prepares the automation context; false (after the error sound) when unavailable.
    bool EnsureAutomation();
    // The search area as the live preview copies it.
    Rect PreviewedArea() const;
    // Opens the live preview beside this window, clear of the area it shows.
    void PlaceLivePreview(const Rect& area);

    AppServices& m_services;
    MainWindowFields m_fields;
    int32_t m_instanceNumber = 0;
    std::unique_ptr<MainDialogControls> m_controls;
    FieldExchange m_exchange{this};
    std::unique_ptr<CaptureCommands> m_capture;
    std::unique_ptr<PictureFileCommands> m_pictureFile;
    std::unique_ptr<SearchController> m_controller;
    MainMenu* m_menu = nullptr;
    QTimer m_cursorTimer;
    QPointer<LivePreview> m_livePreview;
    bool m_searchingIcon = false;
    bool m_done = false;
    bool m_capturing = false;  // the selector or a capture runs: the hot key is ignored
};

}  // namespace qrv
