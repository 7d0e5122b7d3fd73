#include "app/automation/control_browser_dialog.h"

#include <iostream>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTableView>

#include "app/automation/accessibility_prompt.h"
#include "app/automation/color_status_label.h"
#include "app/automation/control_list_model.h"
#include "app/automation/suppressible_tip.h"
#include "app/services/app_services.h"
#include "app/widgets/anchored_layout.h"
#include "app/widgets/app_icons.h"
#include "app/widgets/date_time_text.h"
#include "app/widgets/dialog_units.h"
#include "app/widgets/find_control.h"
#include "app/widgets/message_boxes.h"
#include "app/widgets/wait_cursor.h"
#include "core/automation/control_browser_texts.h"
#include "core/automation/control_list_columns.h"
#include "core/automation/control_list_text.h"
#include "core/automation/element_finder.h"
#include "core/automation/timer_period.h"
#include "core/automation/window_watch.h"
#include "core/desktop/accessibility_switch.h"
#include "core/desktop/beeper.h"
#include "core/settings/profile.h"
#include "core/settings/setting_keys.h"

namespace qrv {

namespace {

// Template size in dialog units.
constexpr int kWidthDu = 491;
constexpr int kHeightDu = 347;

using A = AnchoredLayout::Anchor;

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QCheckBox* Check(QWidget* parent, const char* name, const QString& text, bool on) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(on);
    return box;
}

QLineEdit* Edit(QWidget* parent, const char* name, bool readOnly) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(readOnly);
    return edit;
}

QLineEdit* DigitsEdit(QWidget* parent, const char* name, uint32_t value) {
    QLineEdit* edit = Edit(parent, name, false);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    edit->setText(QString::number(value));
    return edit;
}

QLabel* Label(QWidget* parent, const QString& text, Qt::Alignment align = Qt::AlignLeft) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

std::optional<uint32_t> Digits(const QLineEdit* edit) {
    bool ok = false;
    const uint32_t value = edit->text().toUInt(&ok);
    return ok ? std::optional<uint32_t>(value) : std::nullopt;
}

}  // namespace

ControlBrowserDialog::ControlBrowserDialog(ControlBrowserDeps deps, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_deps(deps),
      m_receiver(parent),
      m_monitor(m_model, deps.nameChanges, m_refreshTimer, deps.beeper, deps.trace) {
    setObjectName(QStringLiteral("controlBrowserDialog"));
    setWindowIcon(AppIcons::Normal());
    setWindowTitle(QString::fromUtf8(browser_texts::kCaptionFormat)
                       .replace(QStringLiteral("%s"), MessageBoxes::Caption()));
    Build();
    BuildMenu();
    Connect();
    FillWindowList();
    OpenAutomation();
    m_statusTimer.start(kStatusPeriodMs);
    RestartTitleTimer();
    m_initialised = true;
}

ControlBrowserDialog::~ControlBrowserDialog() {
    SaveColumnWidths();
}

std::optional<ElementChoice> ControlBrowserDialog::Browse(QWidget* parent, AppServices& services) {
    if (!services.nameChanges) {
        services.beeper.Beep(BeepKind::Error);
        return std::nullopt;
    }
    ControlBrowserDeps deps{services.openTree,
                            services.windows,
                            *services.nameChanges,
                            services.accessibility,
                            services.beeper,
                            services.profile.Store(),
                            std::cout};
    ControlBrowserDialog dialog(deps, parent);
    // Blocks only the main window: the live preview stays usable.
    dialog.setWindowModality(Qt::WindowModal);
    dialog.exec();
    return dialog.Choice();
}

void ControlBrowserDialog::Build() {
    setFont(DialogUnits::DialogFont());
    const DialogUnits du(font());
    const QSize size = du.Size(kWidthDu, kHeightDu);
    auto* layout = new AnchoredLayout(size, this);
    auto place = [&](QWidget* w, int x, int y, int cx, int cy, int anchors) {
        layout->Add(w, du.Rect(x, y, cx, cy), anchors);
    };
    place(Label(this, QStringLiteral("Select Window Title :")), 11, 11, 68, 8, A::Fixed);
    m_windowList = new QComboBox(this);
    m_windowList->setObjectName(QStringLiteral("windowList"));
    m_windowList->setMaxVisibleItems(16);
    place(m_windowList, 86, 9, 332, 14, A::GrowX);
    auto* refreshWindows = Button(this, "refreshWindows", QStringLiteral("Refresh"));
    place(refreshWindows, 425, 9, 50, 14, A::MoveX);
    place(Button(this, "menuButton", QStringLiteral("Menu")), 11, 25, 50, 14, A::Fixed);
    m_editTexts = Edit(this, "editTexts", true);
    place(m_editTexts, 86, 25, 387, 14, A::GrowX);
    place(new QGroupBox(QStringLiteral("Control(s)"), this), 11, 43, 464, 225, A::GrowX | A::GrowY);

    m_rows = new ControlListModel(this);
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("controlList"));
    m_list->setModel(m_rows);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(true);
    m_list->setWordWrap(false);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(du.CharHeight() + 4);
    m_list->horizontalHeader()->setHighlightSections(false);
    m_list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const ControlListWidths widths = LoadColumnWidths(m_deps.store);
    for (size_t i = 0; i < widths.size(); ++i) {
        m_list->setColumnWidth(int(i), widths[i]);
    }
    place(m_list, 19, 55, 447, 205, A::GrowX | A::GrowY);

    m_windowName = Edit(this, "windowName", true);
    place(m_windowName, 11, 273, 409, 14, A::MoveY | A::GrowX);
    place(Button(this, "refreshControls", QStringLiteral("Refresh")), 425, 273, 50, 14,
          A::MoveX | A::MoveY);
    m_automated = Check(this, "automatedMonitor",
                        QStringLiteral("Automated Monitor Window Title && Control Change to "
                                       "Refresh After"),
                        true);
    place(m_automated, 12, 294, 233, 10, A::MoveY);
    m_delay = DigitsEdit(this, "refreshDelay", ControlListMonitor::kDefaultRefreshDelayMs);
    place(m_delay, 247, 292, 40, 14, A::MoveY);
    place(Label(this, QStringLiteral("Milli Second(s)")), 291, 295, 46, 8, A::MoveY);
    m_fillTime = Label(this, QString::fromUtf8(browser_texts::kFillTimeCaption), Qt::AlignRight);
    m_fillTime->setObjectName(QStringLiteral("fillTime"));
    place(m_fillTime, 333, 295, 142, 8, A::MoveX | A::MoveY);
    m_timerWatch = Check(this, "timerWatch",
                         QStringLiteral("Timer Based Monitor Window Title Change every"), false);
    place(m_timerWatch, 12, 311, 171, 10, A::MoveY);
    m_period = DigitsEdit(this, "titlePeriod", kDefaultTitlePeriodMs);
    place(m_period, 188, 309, 40, 14, A::MoveY);
    place(Label(this, QStringLiteral("Milli Second(s)")), 233, 312, 46, 8, A::MoveY);
    m_onTop = Check(this, "onTop", QStringLiteral("On Top"), false);
    place(m_onTop, 12, 328, 39, 10, A::MoveY);
    m_onlyWithValues =
        Check(this, "copyOnlyWithValues", QStringLiteral("Copy Only with Values"), false);
    place(m_onlyWithValues, 308, 328, 87, 10, A::MoveX | A::MoveY);
    place(Button(this, "copyToClipboard", QStringLiteral("Copy to Clipboard")), 401, 326, 74, 14,
          A::MoveX | A::MoveY);
    m_status = new ColorStatusLabel(QStringLiteral("Status"), this);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(m_status, 425, 312, 44, 8, A::MoveX | A::MoveY);
    place(Button(this, "sendToMain", QStringLiteral("Send Selected Element Info to QRV")), 69, 326,
          213, 14, A::MoveY);
    m_onlyClickables = Check(this, "onlyClickables", QStringLiteral("Only Clickables"), true);
    place(m_onlyClickables, 308, 311, 63, 10, A::MoveX | A::MoveY);

    resize(size);
    setMinimumSize(size);
    UpdateStatus();
}

void ControlBrowserDialog::BuildMenu() {
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("controlMenu"));
    m_menu->addAction(QStringLiteral("Click It"), this, &ControlBrowserDialog::ClickSelected);
    m_menu->addSeparator();
    QAction* focus =
        m_menu->addAction(QStringLiteral("Set Focus"), this, &ControlBrowserDialog::FocusSelected);
    m_menu->setDefaultAction(focus);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Show Details..."), this, &ControlBrowserDialog::ShowDetails);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Send to QRV"), this, &ControlBrowserDialog::SendToMainWindow);
}

void ControlBrowserDialog::Connect() {
    auto onClick = [this](const char* name, void (ControlBrowserDialog::*handler)()) {
        connect(FindControl<QPushButton>(this, QString::fromLatin1(name)), &QPushButton::clicked,
                this, handler);
    };
    onClick("refreshWindows", &ControlBrowserDialog::FillWindowList);
    onClick("refreshControls", &ControlBrowserDialog::FillControlList);
    onClick("copyToClipboard", &ControlBrowserDialog::CopyToClipboard);
    onClick("sendToMain", &ControlBrowserDialog::SendToMainWindow);
    connect(FindControl<QPushButton>(this, QStringLiteral("menuButton")), &QPushButton::clicked,
            this, [this] { ShowMenu(QCursor::pos()); });
    // Every pick by the user, also of the window already chosen, reads it anew.
    connect(m_windowList, &QComboBox::activated, this, &ControlBrowserDialog::ChooseWindow);
    connect(m_list, &QTableView::doubleClicked, this, &ControlBrowserDialog::FocusSelected);
    connect(m_onlyClickables, &QCheckBox::toggled, this, [this](bool on) {
        WaitCursor wait;
        m_model.SetOnlyClickables(on);
        OnListFilled();
    });
    connect(m_onTop, &QCheckBox::toggled, this, &ControlBrowserDialog::SetOnTop);
    connect(m_automated, &QCheckBox::toggled, this,
            [this](bool on) { m_monitor.SetAutomatedMonitor(on); });
    connect(m_timerWatch, &QCheckBox::toggled, this, &ControlBrowserDialog::RestartTitleTimer);
    connect(m_period, &QLineEdit::textEdited, this, &ControlBrowserDialog::OnTitlePeriodEdited);
    connect(m_delay, &QLineEdit::textEdited, this, &ControlBrowserDialog::OnRefreshDelayEdited);
    connect(&m_statusTimer, &QTimer::timeout, this, &ControlBrowserDialog::UpdateStatus);
    connect(&m_titleTimer, &QTimer::timeout, this, &ControlBrowserDialog::WatchTitle);
    m_tipTimer.setSingleShot(true);
    connect(&m_tipTimer, &QTimer::timeout, this, &ControlBrowserDialog::ShowTip);
    m_monitor.SetChangedCallback([this] { UpdateViews(); });
    m_monitor.SetRefilledCallback([this] { OnListFilled(); });
}

void ControlBrowserDialog::OpenAutomation() {
    m_tree = m_deps.openTree ? m_deps.openTree() : nullptr;
    m_root = m_tree ? m_tree->Root() : nullptr;
    if (!m_root) {
        m_deps.beeper.Beep(BeepKind::Error);
        m_deps.beeper.Beep(BeepKind::Error);
        m_windowList->setEnabled(false);
        m_list->setEnabled(false);
    }
}

void ControlBrowserDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        QTimer::singleShot(0, this, &ControlBrowserDialog::CheckAccessibility);
    }
}

void ControlBrowserDialog::CheckAccessibility() {
    // The tip waits for this answer so that the two messages never stack.
    if (AccessibilityPrompt::Check(this, m_deps.accessibility) && !m_root) {
        MessageBoxes::Show(this, AccessibilityPrompt::NoTreeText(), MessageIcon::Error);
    }
    m_tipTimer.start(kTipDelayMs);
}

void ControlBrowserDialog::ShowTip() {
    SuppressibleTip tip(m_deps.store, std::string(browser_texts::kTipValueName));
    tip.Show(this, windowTitle(), QString::fromUtf8(browser_texts::kTip));
}

void ControlBrowserDialog::FillWindowList() {
    m_model.ClearControlList();
    UpdateViews();
    std::vector<TopLevelWindow> all = m_deps.windows.Enumerate();
    m_windows = FilterWindowList(all, QCoreApplication::applicationPid());
    const QSignalBlocker block(m_windowList);
    m_windowList->clear();
    for (size_t i = 0; i < m_windows.size(); ++i) {
        m_windowList->addItem(QString::fromUtf8(m_windows[i].title),
                              QVariant::fromValue(qulonglong(i)));
    }
    m_windowList->setCurrentIndex(-1);
}

void ControlBrowserDialog::ChooseWindow(int index) {
    m_statusTimer.start(kStatusPeriodMs);
    UpdateStatus();
    if (index < 0 || size_t(index) >= m_windows.size()) {
        return;
    }
    // Its title and place now, as the accessibility tree tells them.
    const std::optional<TopLevelWindow> window = Lookup(m_windows[size_t(index)].id);
    if (!window) {
        Message(browser_texts::kSelectedWindowGone, MessageIcon::Information);
        FillWindowList();
        return;
    }
    WaitCursor wait;
    ElementPtr element = m_root ? FindWindowElement(m_root, *window) : nullptr;
    const bool held = element != nullptr;
    m_monitor.ChooseWindow(std::move(element));
    if (held) {
        OnListFilled();
    }
}

void ControlBrowserDialog::FillControlList() {
    WaitCursor wait;
    m_model.FillControlList();
    OnListFilled();
}

void ControlBrowserDialog::OnListFilled() {
    UpdateViews();
    if (!m_model.WindowElement()) {
        return;
    }
    m_fillTime->setText(QString::fromStdString(GetCurrentDateTimeText()));
    ++m_fills;
    emit ControlListFilled();
}

void ControlBrowserDialog::UpdateViews() {
    m_windowName->setText(QString::fromUtf8(m_model.WindowNameField()));
    m_editTexts->setText(QString::fromUtf8(m_model.EditFieldsText()));
    if (m_rows->Rows() != m_model.Rows()) {
        m_rows->SetRows(m_model.Rows());
    }
}

const TopLevelWindow* ControlBrowserDialog::ChosenWindow() const {
    const int index = m_windowList->currentIndex();
    return index >= 0 && size_t(index) < m_windows.size() ? &m_windows[size_t(index)] : nullptr;
}

std::optional<TopLevelWindow> ControlBrowserDialog::Lookup(WindowId id) const {
    for (const TopLevelWindow& window : m_deps.windows.Enumerate()) {
        if (window.id == id) {
            return window;
        }
    }
    return std::nullopt;
}

void ControlBrowserDialog::UpdateStatus() {
    const TopLevelWindow* chosen = ChosenWindow();
    const WindowStatus status = StatusOfWindow(chosen != nullptr, chosen && Lookup(chosen->id));
    m_status->setText(QString::fromUtf8(status.text));
    m_status->SetBackground(status.color);
}

void ControlBrowserDialog::WatchTitle() {
    const TopLevelWindow* chosen = ChosenWindow();
    const std::optional<TopLevelWindow> current =
        chosen ? Lookup(chosen->id) : std::optional<TopLevelWindow>();
    const TitleWatchStep step = TitleWatchAction(
        chosen != nullptr, m_model.WindowElement() != nullptr, current.has_value(),
        current ? current->title : std::string(), m_windowName->text().toStdString());
    if (step == TitleWatchStep::FillWindowList) {
        FillWindowList();
    } else if (step == TitleWatchStep::FillControlList) {
        FillControlList();
    }
}

void ControlBrowserDialog::RestartTitleTimer() {
    m_titleTimer.stop();
    if (m_timerWatch->isChecked()) {
        m_titleTimer.start(TimerPeriodMs(m_titlePeriod));
    }
}

void ControlBrowserDialog::OnTitlePeriodEdited() {
    const std::optional<uint32_t> period = Digits(m_period);
    if (m_initialised && period) {
        m_titlePeriod = *period;
        RestartTitleTimer();
    }
}

void ControlBrowserDialog::OnRefreshDelayEdited() {
    const std::optional<uint32_t> delay = Digits(m_delay);
    if (m_initialised && delay) {
        m_monitor.SetRefreshDelay(*delay);
    }
}

void ControlBrowserDialog::SetOnTop(bool on) {
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    show();
}

std::optional<size_t> ControlBrowserDialog::CheckedSelection() {
    const QModelIndexList selected = m_list->selectionModel()->selectedRows();
    const std::optional<size_t> row =
        selected.isEmpty() ? std::nullopt : std::optional<size_t>(size_t(selected.first().row()));
    const std::string problem = m_model.SelectionProblem(ChosenWindow() != nullptr, row);
    if (!problem.empty()) {
        Message(problem, MessageIcon::Information);
        return std::nullopt;
    }
    return row;
}

std::optional<size_t> ControlBrowserDialog::ActionableRow() {
    const std::optional<size_t> row = CheckedSelection();
    if (row && !Lookup(ChosenWindow()->id)) {
        Message(browser_texts::kWindowClosed, MessageIcon::Exclamation);
        return std::nullopt;
    }
    return row;
}

void ControlBrowserDialog::ClickSelected() {
    if (const std::optional<size_t> row = ActionableRow()) {
        WaitCursor wait;
        if (!m_model.ClickRow(*row)) {
            Message(browser_texts::kFailedToClick, MessageIcon::Error);
        }
    }
}

void ControlBrowserDialog::FocusSelected() {
    if (const std::optional<size_t> row = ActionableRow()) {
        if (!m_model.FocusRow(*row)) {
            Message(browser_texts::kFailedToSetFocus, MessageIcon::Error);
        }
    }
}

void ControlBrowserDialog::ShowDetails() {
    if (const std::optional<size_t> row = CheckedSelection()) {
        Message(m_model.DetailsText(*row), MessageIcon::Information);
    }
}

void ControlBrowserDialog::CopyToClipboard() {
    if (m_model.Rows().empty()) {
        Message(browser_texts::kNothingToCopy, MessageIcon::Information);
        return;
    }
    const std::string text = ClipboardText(m_model.Rows(), m_onlyWithValues->isChecked());
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QString::fromUtf8(text), QClipboard::Clipboard);
    if (clipboard->text(QClipboard::Clipboard) != QString::fromUtf8(text)) {
        Message(browser_texts::kClipboardRefused, MessageIcon::Error);
        return;
    }
    Message(CopiedConfirmationText(text), MessageIcon::Information);
}

void ControlBrowserDialog::SendToMainWindow() {
    const std::optional<size_t> row = CheckedSelection();
    if (!row) {
        return;
    }
    if (!m_receiver) {
        Message(browser_texts::kMainWindowGone, MessageIcon::Exclamation);
        return;
    }
    ElementChoice choice = m_model.ChoiceForRow(*row);
    choice.windowName = m_windowName->text().toStdString();
    m_choice = std::move(choice);
    QDialog::accept();
}

void ControlBrowserDialog::ShowMenu(const QPoint& globalPos) {
    m_menu->popup(globalPos);
}

void ControlBrowserDialog::accept() {
    if (CheckedSelection()) {
        QDialog::accept();
    }
}

void ControlBrowserDialog::done(int result) {
    if (!m_done) {
        m_done = true;
        m_statusTimer.stop();
        m_titleTimer.stop();
        m_tipTimer.stop();
    }
    QDialog::done(result);
}

void ControlBrowserDialog::SaveColumnWidths() {
    ControlListWidths widths{};
    for (size_t i = 0; i < widths.size(); ++i) {
        widths[i] = m_list->columnWidth(int(i));
    }
    qrv::SaveColumnWidths(m_deps.store, widths);
}

void ControlBrowserDialog::Message(std::string_view text, MessageIcon icon) {
    MessageBoxes::Show(this, QString::fromUtf8(text), icon);
}

void ControlBrowserDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ControlBrowserDialog::contextMenuEvent(QContextMenuEvent* event) {
    ShowMenu(event->globalPos());
}

}  // namespace qrv
