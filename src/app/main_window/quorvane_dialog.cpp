#include "app/main_window/quorvane_dialog.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>

#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStandardPaths>

#include "app/about/about_dialog.h"
#include "app/automation/control_browser_dialog.h"
#include "app/capture/capture_commands.h"
#include "app/capture/picture_file_commands.h"
#include "app/colors/colors_openers.h"
#include "app/help_page.h"
#include "app/main_window/control_ids.h"
#include "app/main_window/main_dialog_controls.h"
#include "app/main_window/main_menu.h"
#include "app/preview/live_preview.h"
#include "app/preview/picture_preview.h"
#include "app/preview/preview_placement.h"
#include "app/services/app_services.h"
#include "app/settings/settings_dialog.h"
#include "app/widgets/app_icons.h"
#include "app/widgets/dialog_units.h"
#include "app/widgets/file_prompts.h"
#include "app/widgets/hot_key_edit.h"
#include "app/widgets/message_boxes.h"
#include "app/widgets/screen_pixels.h"
#include "app/widgets/wait_cursor.h"
#include "core/automation/c_element_clicker.h"
#include "core/desktop/beeper.h"
#include "core/desktop/display_layout.h"
#include "core/desktop/image_codec.h"
#include "core/desktop/input_injector.h"
#include "core/desktop/shell.h"
#include "core/desktop/taskbar_progress.h"
#include "core/desktop/toggle_requests.h"
#include "core/search/search_area_check.h"
#include "core/search/search_controller.h"
#include "core/search/text_speaker.h"
#include "core/settings/temp_images_folder.h"

namespace qrv {

namespace {

SearchControllerDeps ControllerDeps(AppServices& s) {
    return SearchControllerDeps{
        SearchAttemptDeps{s.screen, s.input, s.layout, s.clock, s.speaker, s.automation, s.shell,
                          s.activator, s.beeper, s.profile},
        s.codec, s.taskbar, s.hotKeys};
}

// The application id the toolkit gives the program's windows: the desktop
// file's name, else the program file's.
std::string ApplicationId() {
    QString name = QGuiApplication::desktopFileName();
    if (name.isEmpty()) {
        name = QFileInfo(QCoreApplication::applicationFilePath()).baseName();
    }
    if (name.endsWith(QStringLiteral(".desktop"))) {
        name.chop(8);
    }
    return name.toStdString();
}

}  // namespace

QuorvaneDialog::QuorvaneDialog(AppServices& services, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_services(services) {
    setObjectName(QStringLiteral("quorvaneDialog"));
    setFont(DialogUnits::DialogFont());
    const DialogUnits units(font());
    setFixedSize(units.Size(411, 396));
    m_controls = std::make_unique<MainDialogControls>(this, units);
    m_capture = std::make_unique<CaptureCommands>(this, m_fields, m_exchange, services);
    m_pictureFile = std::make_unique<PictureFileCommands>(this, m_fields, m_exchange, services);
    m_controller = std::make_unique<SearchController>(*this, m_fields, ControllerDeps(services));
    m_menu = new MainMenu(this);
    Bind();
    Connect();
    Initialise();
}

QuorvaneDialog::~QuorvaneDialog() {
    // A window being destroyed can no longer ask the user anything.
    Finish(FieldExchange::OnBadNumber::Stop);
    if (m_services.hotKeys) {
        m_services.hotKeys->SetHandler(SearchController::kStartHotKeyId, {});
        m_services.hotKeys->Unregister(SearchController::kStartHotKeyId);
    }
    if (m_services.toggles) {
        m_services.toggles->SetHandler({});
        m_services.toggles->Withdraw();
    }
    m_controller.reset();
}

LivePreview* QuorvaneDialog::CurrentLivePreview() const {
    return m_livePreview;
}

void QuorvaneDialog::Bind() {
    const MainDialogControls& c = *m_controls;
    FieldExchange& x = m_exchange;
    x.BindInt(c.Edit(ctl::kAreaLeft), &m_fields.m_iScreenAreaLeft, QStringLiteral("Left"));
    x.BindInt(c.Edit(ctl::kAreaTop), &m_fields.m_iScreenAreaTop, QStringLiteral("Top"));
    x.BindInt(c.Edit(ctl::kAreaWidth), &m_fields.m_iScreenAreaWidth, QStringLiteral("Width"));
    x.BindInt(c.Edit(ctl::kAreaHeight), &m_fields.m_iScreenAreaHeight, QStringLiteral("Height"));
    x.BindText(c.Edit(ctl::kPicturePath), &m_fields.m_strPictureToFindFilePath);
    x.BindCheck(c.Check(ctl::kClickOnPicture), &m_fields.m_bClickOnPicture);
    x.BindCheck(c.Check(ctl::kCursorBack), &m_fields.m_bCursorBack);
    x.BindText(c.Edit(ctl::kTextToSpeak), &m_fields.m_strTextToSpeak);
    x.BindCheck(c.Check(ctl::kSpeakText), &m_fields.m_bSpeakText);
    x.BindText(c.Edit(ctl::kScript), &m_fields.m_strScriptToExecute);
    x.BindCheck(c.Check(ctl::kExecute), &m_fields.m_bExecuteScript);
    x.BindCheck(c.Check(ctl::kMakeActiveWindow), &m_fields.m_bMakeActiveWindow);
    x.BindInt(c.Label(ctl::kInstanceNumber), &m_instanceNumber);
    x.BindCheck(c.Check(ctl::kMoveMouse), &m_fields.m_bMoveMouseToCenterOfPicture);
    x.BindInt(c.Edit(ctl::kCount), &m_fields.m_count, QStringLiteral("How Many Times to Find"));
    x.BindInt(c.Edit(ctl::kInterval), &m_fields.m_interval, QStringLiteral("Interval"));
    x.BindInt(c.Edit(ctl::kDeviationRed), &m_fields.m_iDeviationRed,
              QStringLiteral("Red Deviation"));
    x.BindInt(c.Edit(ctl::kDeviationGreen), &m_fields.m_iDeviationGreen,
              QStringLiteral("Green Deviation"));
    x.BindInt(c.Edit(ctl::kDeviationBlue), &m_fields.m_iDeviationBlue,
              QStringLiteral("Blue Deviation"));
    x.BindUInt(c.Edit(ctl::kTimeDelay), &m_fields.m_dwTimeDelay1, QStringLiteral("Time Delay"));
    x.BindCheck(c.Check(ctl::kClickAnotherTime), &m_fields.m_bClickAnotherTime);
    x.BindText(c.Edit(ctl::kElementWindow), &m_fields.m_strElementWindowName);
    x.BindText(c.Edit(ctl::kElementName), &m_fields.m_strElementName);
    x.BindText(c.Edit(ctl::kElementValue), &m_fields.m_strElementValue);
    x.BindCheck(c.Check(ctl::kClickElement), &m_fields.m_bClickElement);
    x.BindCheck(c.Check(ctl::kDoNotUseValue), &m_fields.m_bDoNotUseValueToSearchElement);
    x.BindText(c.Edit(ctl::kVerb), &m_fields.m_strVerb);
    x.BindCheck(c.Check(ctl::kAbortSearch), &m_fields.m_bAbortSearch);
}

void QuorvaneDialog::Connect() {
    const MainDialogControls& c = *m_controls;
    auto onClick = [&](int id, void (QuorvaneDialog::*handler)()) {
        connect(c.Button(id), &QPushButton::clicked, this, handler);
    };
    onClick(ctl::kCaptureScreenArea, &QuorvaneDialog::OnCaptureScreenArea);
    onClick(ctl::kMenu, &QuorvaneDialog::ShowPopupMenu);
    onClick(ctl::kCapturePicture, &QuorvaneDialog::OnCapturePicture);
    onClick(ctl::kLocate, &QuorvaneDialog::OnLocate);
    onClick(ctl::kSelectPictureFile, &QuorvaneDialog::OnSelectPictureFile);
    onClick(ctl::kAreaPreview, &QuorvaneDialog::OnLivePreview);
    onClick(ctl::kPicturePreview, &QuorvaneDialog::OnPicturePreview);
    onClick(ctl::kBrowse, &QuorvaneDialog::OnBrowseScript);
    onClick(ctl::kSelectElement, &QuorvaneDialog::OnSelectElement);
    onClick(ctl::kClickElementNow, &QuorvaneDialog::OnClickElementNow);
    onClick(ctl::kAreaColors, &QuorvaneDialog::OnAreaColors);
    onClick(ctl::kPictureColors, &QuorvaneDialog::OnPictureColors);
    connect(c.Button(ctl::kFind), &QPushButton::clicked, this,
            [this] { m_controller->OnFindButton(); });
    connect(c.Button(ctl::kAssign), &QPushButton::clicked, this,
            [this] { m_controller->AssignStartHotKey(); });
    connect(c.Button(ctl::kClear), &QPushButton::clicked, this,
            [this] { m_controller->ClearStartHotKey(); });
    for (int id : MainDialogControls::kGuardedEdits) {
        connect(c.Edit(id), &QLineEdit::textChanged, this, [this, id] { GuardEmptyEdit(id); });
    }
    connect(m_menu, &MainMenu::UniqueColorsRequested, this, &QuorvaneDialog::OnPictureColors);
    connect(m_menu, &MainMenu::SettingsRequested, this, &QuorvaneDialog::OnSettings);
    connect(m_menu, &MainMenu::WhyNotFoundRequested, this, &QuorvaneDialog::OnWhyNotFound);
    connect(m_menu, &MainMenu::AboutRequested, this, &QuorvaneDialog::OnAbout);
    connect(m_menu, &MainMenu::ExitRequested, this, &QWidget::close, Qt::QueuedConnection);
    connect(&m_cursorTimer, &QTimer::timeout, this, &QuorvaneDialog::ShowCursorPosition);
}

void QuorvaneDialog::Initialise() {
    m_fields.Load(m_services.profile);
    m_instanceNumber = m_services.profile.InstanceNumber();
    m_exchange.ToControls();
    if (m_fields.m_bClickElement) {
        EnsureAutomation();
    }
    setWindowIcon(AppIcons::Normal());
    setWindowTitle(MessageBoxes::Caption());
    m_cursorTimer.start(kCursorTimerMs);
    if (m_services.hotKeys) {
        // The selector and the capture wait in event loops of their own, where a
        // search must not start under them.
        m_services.hotKeys->SetHandler(SearchController::kStartHotKeyId, [this](int id) {
            if (!m_capturing) {
                m_controller->OnHotKey(id);
            }
        });
    }
    m_controller->RegisterStartHotKey();
    if (m_services.toggles) {
        // Other processes start and stop this instance's search by its number.
        m_services.toggles->SetHandler([this] {
            if (!m_capturing) {
                m_controller->ToggleSearch();
            }
        });
        PublishToggles();
    }
    if (m_fields.m_bClickElement) {
        m_services.speaker.SpeakAsync("Click on Select Element Button to Select Element");
    }
}

// A number another process already answers for is not taken over: requests
// sent to it go there, which the user is told here and on standard error.
void QuorvaneDialog::PublishToggles() {
    const std::string problem = m_services.toggles->Publish(m_instanceNumber);
    if (problem.empty()) {
        return;
    }
    const std::string text =
        "Start/stop requests from other programs do not reach this window: " + problem + ".";
    std::fprintf(stderr, "quorvane: %s\n", text.c_str());
    SetStatusText(text);
}

void QuorvaneDialog::SetStatusText(const std::string& text) {
    QLabel* status = m_controls->Label(ctl::kStatus);
    const QString line = QString::fromStdString(text);
    QMetaObject::invokeMethod(
        status,
        [this, status, line] {
            status->setText(line);
            emit StatusTextChanged(line);
        },
        Qt::QueuedConnection);
}

void QuorvaneDialog::SetFindButtonText(const std::string& text) {
    m_controls->Button(ctl::kFind)->setText(QString::fromStdString(text));
}

void QuorvaneDialog::SetSearchingIcon(bool searching) {
    m_searchingIcon = searching;
    setWindowIcon(searching ? AppIcons::Searching() : AppIcons::Normal());
}

void QuorvaneDialog::ShowMessage(const std::string& text, MessageIcon icon) {
    MessageBoxes::Show(this, QString::fromStdString(text), icon);
}

bool QuorvaneDialog::TransferControlsToFields() {
    return m_exchange.ToFields();
}

void QuorvaneDialog::PostSearchProgress() {
    QMetaObject::invokeMethod(
        this, [this] { m_controller->OnSearchProgress(); }, Qt::QueuedConnection);
}

void QuorvaneDialog::PostSearchFinished() {
    QMetaObject::invokeMethod(
        this, [this] { m_controller->OnSearchFinished(); }, Qt::QueuedConnection);
}

void QuorvaneDialog::EndDialog(int result) {
    QMetaObject::invokeMethod(
        this, [this, result] { done(result); }, Qt::QueuedConnection);
}

void QuorvaneDialog::RefreshLivePreview() {
    if (m_livePreview) {
        m_livePreview->Refresh();
    }
}

// The activator also learns how the desktop lists the window, for desktops
// that know it by other ids than the toolkit's.
WindowId QuorvaneDialog::MainWindowId() {
    const WindowId id = WindowId(winId());
    m_services.activator.DescribeOwnWindow(id, ApplicationId(), windowTitle().toStdString());
    return id;
}

HotKeyValue QuorvaneDialog::GetHotKey() {
    return m_controls->HotKey()->Value();
}

void QuorvaneDialog::SetHotKey(HotKeyValue value) {
    m_controls->HotKey()->SetValue(value);
}

void QuorvaneDialog::accept() {
    // Enter takes the controls' contents and ends the window, unless an entry is invalid.
    if (m_exchange.ToFields()) {
        QDialog::accept();
    }
}

void QuorvaneDialog::done(int result) {
    Finish(FieldExchange::OnBadNumber::Prompt);
    QDialog::done(result);
}

void QuorvaneDialog::Finish(FieldExchange::OnBadNumber onBad) {
    if (m_done) {
        return;
    }
    m_done = true;
    m_cursorTimer.stop();
    // However the window ends, no worker may outlive it.
    m_controller->Shutdown();
    m_exchange.ToFields(onBad);
    m_fields.Save(m_services.profile);
    SetSearchingIcon(false);
    if (m_services.taskbar) {
        m_services.taskbar->SetState(TaskbarState::None);
    }
    if (m_livePreview) {
        m_livePreview->close();
    }
}

void QuorvaneDialog::closeEvent(QCloseEvent* event) {
    if (!m_controller->RequestClose()) {
        // The worker ends the window once it has seen the stop request.
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void QuorvaneDialog::keyPressEvent(QKeyEvent* event) {
    const bool plain =
        event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && event->key() == Qt::Key_F1) {
        OnHelp();
        return;
    }
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        } else {
            accept();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void QuorvaneDialog::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    ShowPopupMenu();
}

void QuorvaneDialog::ShowPopupMenu() {
    m_menu->popup(QCursor::pos());
}

void QuorvaneDialog::ShowCursorPosition() {
    // An unknown position leaves the line as it was.
    const std::optional<Point> cursor = m_services.input.CursorPos();
    if (cursor) {
        m_controls->Label(ctl::kCursorText)
            ->setText(QStringLiteral("Cursor at %1, %2").arg(cursor->x).arg(cursor->y));
    }
}

void QuorvaneDialog::GuardEmptyEdit(int id) {
    QLineEdit* edit = m_controls->Edit(id);
    if (edit->text().isEmpty()) {
        edit->setText(QStringLiteral("0"));
    }
}

void QuorvaneDialog::OnCaptureScreenArea() {
    const QScopedValueRollback capturing(m_capturing, true);
    if (m_capture->CaptureScreenArea() &&
        m_services.profile.Get(keys::kAutoDisplayCapturedScreenAreaPreview) != 0) {
        OnLivePreview();
    }
}

void QuorvaneDialog::OnCapturePicture() {
    const QScopedValueRollback capturing(m_capturing, true);
    m_capture->CapturePicture();
}

void QuorvaneDialog::OnSelectPictureFile() {
    m_pictureFile->SelectPictureFile();
}

void QuorvaneDialog::OnLocate() {
    m_pictureFile->Locate();
}

void QuorvaneDialog::OnLivePreview() {
    if (m_livePreview) {
        m_livePreview->close();
    }
    m_exchange.ToFields();
    const int32_t width = m_fields.m_iScreenAreaWidth;
    const int32_t height = m_fields.m_iScreenAreaHeight;
    if (width <= 0 || height <= 0) {
        MessageBoxes::Show(this, QStringLiteral("Please Capture Screen Area and then try again."),
                           MessageIcon::Information);
        return;
    }
    if (!AreaFitsTheScreen()) {
        return;
    }
    const Rect area = PreviewedArea();
    m_livePreview = new LivePreview(m_services.screen, area);
    PlaceLivePreview(area);
    m_livePreview->show();
}

Rect QuorvaneDialog::PreviewedArea() const {
    // No larger than the desktop, so that a mistyped size cannot exhaust memory.
    const Rect desktop = m_services.layout.VirtualScreen();
    const int64_t left = m_fields.m_iScreenAreaLeft;
    const int64_t top = m_fields.m_iScreenAreaTop;
    const int64_t right = left + std::min<int64_t>(m_fields.m_iScreenAreaWidth, desktop.Width());
    const int64_t bottom = top + std::min<int64_t>(m_fields.m_iScreenAreaHeight, desktop.Height());
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    return Rect{int32_t(left), int32_t(top), int32_t(std::min(right, kMax)),
                int32_t(std::min(bottom, kMax))};
}

void QuorvaneDialog::PlaceLivePreview(const Rect& area) {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.append(screen->availableGeometry());
    }
    const QRect shown(ScreenPixels::ToLogical({area.left, area.top}),
                      ScreenPixels::ToLogical({area.right - 1, area.bottom - 1}));
    m_livePreview->move(PreviewPlacement::Place(
        frameGeometry(), m_livePreview->frameGeometry().size(), shown, screens));
}

void QuorvaneDialog::OnPicturePreview() {
    m_exchange.ToFields();
    const std::string& path = m_fields.m_strPictureToFindFilePath;
    if (path.empty() || !QFileInfo::exists(QString::fromStdString(path))) {
        MessageBoxes::Show(this,
                           QStringLiteral("Please Capture / Select Picture to Find and then try "
                                          "Again."),
                           MessageIcon::Information);
        return;
    }
    PicturePreview preview(m_services.codec, path, this);
    preview.setWindowModality(Qt::WindowModal);
    preview.exec();
}

std::string QuorvaneDialog::VerbForScript(const std::string& path, const std::string& verb) {
    const QString name = QString::fromStdString(path);
    return name.right(5).compare(QStringLiteral(".zntk"), Qt::CaseInsensitive) == 0 ? "Execute"
                                                                                    : verb;
}

void QuorvaneDialog::OnBrowseScript() {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString path = m_services.prompts.OpenFile(
        this, desktop, QStringLiteral("All Files (*);;Zentrak by Tolbrin Script Files (*.zntk)"));
    if (path.isEmpty()) {
        return;
    }
    m_exchange.ToFields();
    m_fields.m_strVerb = VerbForScript(path.toStdString(), m_fields.m_strVerb);
    m_fields.m_strScriptToExecute = path.toStdString();
    m_exchange.ToControls();
}

void QuorvaneDialog::OnSelectElement() {
    EnsureAutomation();  // the browser opens all the same
    const std::optional<ElementChoice> choice = ControlBrowserDialog::Browse(this, m_services);
    if (!choice) {
        return;
    }
    // Only these three: a round trip of every field would stop at one that does
    // not parse and put back the old contents of the fields after it.
    const auto set = [this](int id, std::string& field, const std::string& value) {
        field = value;
        m_controls->Edit(id)->setText(QString::fromStdString(value));
    };
    set(ctl::kElementWindow, m_fields.m_strElementWindowName, choice->windowName);
    set(ctl::kElementName, m_fields.m_strElementName, choice->elementName);
    set(ctl::kElementValue, m_fields.m_strElementValue, choice->elementValue);
}

void QuorvaneDialog::OnClickElementNow() {
    WaitCursor wait;
    m_exchange.ToFields();
    const bool clicked = m_services.automation &&
                         m_services.automation->ClickElement(
                             m_fields.m_strElementWindowName, m_fields.m_strElementName,
                             m_fields.m_strElementValue, m_fields.m_bDoNotUseValueToSearchElement);
    if (!clicked) {
        m_services.beeper.Beep(BeepKind::Error);
    }
}

void QuorvaneDialog::OnAreaColors() {
    m_exchange.ToFields();
    if (m_fields.m_iScreenAreaWidth == 0 || m_fields.m_iScreenAreaHeight == 0) {
        MessageBoxes::Show(this, QStringLiteral("Please Capture Screen Area and then try again."),
                           MessageIcon::Information);
        return;
    }
    if (!AreaFitsTheScreen()) {
        return;
    }
    const Rect area{m_fields.m_iScreenAreaLeft, m_fields.m_iScreenAreaTop,
                    m_fields.m_iScreenAreaLeft + m_fields.m_iScreenAreaWidth,
                    m_fields.m_iScreenAreaTop + m_fields.m_iScreenAreaHeight};
    // The colour tool starts once this click has been handled.
    QMetaObject::invokeMethod(
        this, [this, area] { ColorsOpeners(m_services).OpenForScreenArea(this, area); },
        Qt::QueuedConnection);
}

bool QuorvaneDialog::AreaFitsTheScreen() {
    const auto problem = SearchAreaProblem(
        m_fields.m_iScreenAreaLeft, m_fields.m_iScreenAreaTop, m_fields.m_iScreenAreaWidth,
        m_fields.m_iScreenAreaHeight, m_services.layout.VirtualScreen());
    if (problem) {
        ShowMessage(*problem, MessageIcon::Information);
    }
    return !problem;
}

void QuorvaneDialog::OnPictureColors() {
    if (m_exchange.ToFields()) {
        ColorsOpeners(m_services).OpenForImageFile(this, m_fields.m_strPictureToFindFilePath);
    }
}

void QuorvaneDialog::OnSettings() {
    SettingsDialog settings(m_services.profile, m_services.shell, m_services.prompts,
                            GetTempImagesFolder(m_services.localDataFolder), this);
    settings.setWindowModality(Qt::WindowModal);
    settings.exec();
}

void QuorvaneDialog::OnWhyNotFound() {
    std::optional<std::pair<MatchExplanation, std::string>> explained;
    {
        WaitCursor wait;
        explained = m_controller->ExplainLastAttempt();
    }
    if (!explained) {
        MessageBoxes::Show(this, QStringLiteral("Please run a search and then try again."),
                           MessageIcon::Information);
        return;
    }
    const auto& [e, text] = *explained;
    const QString lines = QString::fromStdString(text);
    if (!e.fits) {
        MessageBoxes::Show(this, lines, MessageIcon::Information);
        return;
    }
    const QString offer = QStringLiteral("%1\n\nSet the Deviation in Color to %2, %3, %4?")
                              .arg(lines)
                              .arg(e.needRed)
                              .arg(e.needGreen)
                              .arg(e.needBlue);
    if (MessageBoxes::AskYesNo(this, offer, MessageIcon::Information) == QMessageBox::Yes &&
        m_exchange.ToFields()) {
        m_fields.m_iDeviationRed = e.needRed;
        m_fields.m_iDeviationGreen = e.needGreen;
        m_fields.m_iDeviationBlue = e.needBlue;
        m_exchange.ToControls();
    }
}

void QuorvaneDialog::OnAbout() {
    AboutDialog about(this);
    about.setWindowModality(Qt::WindowModal);
    about.exec();
}

void QuorvaneDialog::OnHelp() {
    HelpPage::Open(this, m_services.shell);
}

bool QuorvaneDialog::EnsureAutomation() {
    if (!m_services.automation) {
        m_services.beeper.Beep(BeepKind::Error);
        return false;
    }
    return m_services.automation->EnsureAutomation();  // beeps itself on failure
}

}  // namespace qrv
