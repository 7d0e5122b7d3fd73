#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <sstream>

#include "app/automation/color_status_label.h"
#include "app/automation/control_browser_dialog.h"
#include "app/automation/control_list_model.h"
#include "app/automation/suppressible_tip.h"
#include "app/main_window/control_ids.h"
#include "app/main_window/main_dialog_controls.h"
#include "app/preview/live_preview.h"
#include "app/widgets/find_control.h"
#include "app_fixture.h"
#include "core/automation/control_browser_texts.h"
#include "core/automation/control_list_text.h"
#include "core/automation/element_finder.h"
#include "platform/atspi/atspi_automation_tree.h"
#include "platform/atspi/atspi_name_change_monitor.h"
#include "platform/x11/x_top_level_windows.h"

namespace qrv {
namespace {

// The browser over the real desktop, pointed at the accessible GTK test window;
// given no accessibility switch, it reads the tree without asking.
class ControlBrowserDialogTest : public AppFixture {
  protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir();
        s_title = "Browser Target " + std::to_string(QCoreApplication::applicationPid());
        const auto script = std::filesystem::path(QRV_TEST_APPS_DIR) / "accessible_target.py";
        s_app = new QProcess();
        s_app->start("/usr/bin/python3", {QString::fromStdString(script.string()),
                                          QString::fromStdString(s_title), PressLog()});
        s_ready = s_app->waitForReadyRead(20000) && WaitFor([] {
                      const std::shared_ptr<AutomationTree> tree = AtspiAutomationTree::Open();
                      return tree && FindTopLevel(tree->Root(), s_title);
                  });
    }

    static void TearDownTestSuite() {
        s_app->write("quit\n");
        s_app->waitForFinished(5000);
        delete s_app;
        delete s_dir;
    }

    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(s_ready) << "the test window did not appear in the accessibility tree";
        SuppressibleTip(*m_store, std::string(browser_texts::kTipValueName)).Suppress();
    }

    void TearDown() override {
        m_browser.reset();
        AppFixture::TearDown();
    }

    ControlBrowserDialog& OpenBrowser(QWidget* receiver = nullptr) {
        m_browser = std::make_unique<ControlBrowserDialog>(
            ControlBrowserDeps{&AtspiAutomationTree::Open, m_windows, m_nameChanges, nullptr,
                               Services().beeper, *m_store, m_trace},
            receiver);
        m_browser->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_browser.get()));
        m_open = m_browser.get();
        return *m_browser;
    }

    // Opens the browser unless open and chooses the test window in its list.
    ControlBrowserDialog& BrowseTarget(QWidget* receiver = nullptr) {
        ControlBrowserDialog& browser = m_browser ? *m_browser : OpenBrowser(receiver);
        PickTarget(Combo());
        return browser;
    }

    // Picks the test window in a window list's pop-up, as the user does.
    static void PickTarget(QComboBox* combo) {
        const int index = combo->findText(QString::fromStdString(s_title));
        ASSERT_GE(index, 0);
        combo->showPopup();
        QAbstractItemView* popup = combo->view();
        ASSERT_TRUE(WaitFor([&] { return popup->isVisible(); }));
        popup->setCurrentIndex(popup->model()->index(index, 0));
        QTest::keyClick(popup, Qt::Key_Return);
    }

    template <typename T>
    T* Child(const char* name) {
        T* child = FindControl<T>(m_open, QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QComboBox* Combo() { return Child<QComboBox>("windowList"); }
    QTableView* List() { return Child<QTableView>("controlList"); }
    ControlListModel& Rows() { return *qobject_cast<ControlListModel*>(List()->model()); }

    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const ControlRow& row : Rows().Rows()) {
            names.push_back(row.name);
        }
        return names;
    }

    void SelectRow(const std::string& name) {
        const std::vector<std::string> names = Names();
        const auto it = std::find(names.begin(), names.end(), name);
        ASSERT_NE(it, names.end()) << name;
        List()->selectRow(int(it - names.begin()));
    }

    static QString PressLog() { return s_dir->filePath(QStringLiteral("presses.log")); }
    static int Presses() {
        QFile log(PressLog());
        return log.open(QIODevice::ReadOnly) ? int(log.readAll().count('\n')) : 0;
    }

    static inline QTemporaryDir* s_dir = nullptr;
    static inline QProcess* s_app = nullptr;
    static inline std::string s_title;
    static inline bool s_ready = false;

    XTopLevelWindows m_windows;
    AtspiNameChangeMonitor m_nameChanges;
    std::ostringstream m_trace;
    std::unique_ptr<ControlBrowserDialog> m_browser;
    QWidget* m_open = nullptr;  // the browser Child() looks in
};

TEST_F(ControlBrowserDialogTest, ListsTheWindowsControlsAndFields) {
    ControlBrowserDialog& browser = OpenBrowser();
    EXPECT_TRUE(browser.AutomationAvailable());
    EXPECT_EQ(Combo()->currentIndex(), -1);
    EXPECT_EQ(Child<QLabel>("fillTime")->text(), "Controls Display Date / Time");
    auto* status = Child<ColorStatusLabel>("status");
    EXPECT_EQ(status->text(), "Status");
    EXPECT_EQ(status->Background(), 0x7F7F7Fu);
    EXPECT_EQ(Combo()->findText(browser.windowTitle()), -1) << "own window listed";

    BrowseTarget();
    // Only buttons count as clickable: not the entries nor the check box.
    EXPECT_EQ(Names(), (std::vector<std::string>{"Press Me", "Inner"}));
    EXPECT_EQ(Rows().Rows()[1], (ControlRow{"2", "Inner", "", ""}));
    EXPECT_EQ(Child<QLineEdit>("windowName")->text().toStdString(), s_title);
    EXPECT_EQ(Child<QLineEdit>("editTexts")->text().toStdString(), "hello world,Greeting,Secret,");
    EXPECT_NE(Child<QLabel>("fillTime")->text(), "Controls Display Date / Time");
    status->setText({});
    EXPECT_TRUE(WaitFor([&] { return status->text() == "Valid"; }));
    EXPECT_EQ(status->Background(), 0x00FF00u);

    // Unticking "Only Clickables" lists every named element, the window first.
    Child<QCheckBox>("onlyClickables")->click();
    ASSERT_GE(Rows().rowCount(), 7);
    EXPECT_EQ(Rows().Rows()[0].name, s_title);
    EXPECT_EQ(Rows().Rows()[6].sr, "7");
    EXPECT_EQ(Rows().Rows()[6].name.rfind("Counter ", 0), 0u);

    // The top "Refresh" empties the list and both fields but keeps the window.
    QTest::mouseClick(Child<QPushButton>("refreshWindows"), Qt::LeftButton);
    EXPECT_EQ(Rows().rowCount(), 0);
    EXPECT_TRUE(Child<QLineEdit>("windowName")->text().isEmpty());
    QTest::mouseClick(Child<QPushButton>("refreshControls"), Qt::LeftButton);
    EXPECT_GE(Rows().rowCount(), 7);
}

TEST_F(ControlBrowserDialogTest, ClickItPressesTheButtonAndChecksTheSelection) {
    BrowseTarget();
    const std::shared_ptr<SeenMessage> none = AnswerNextMessage();
    m_browser->ClickSelected();
    EXPECT_TRUE(none->seen);
    EXPECT_EQ(none->text, "Please Select a Control from the Control(s) List and then try again.");
    EXPECT_EQ(none->caption, "Quorvane by Tolbrin");
    const std::shared_ptr<SeenMessage> unsent = AnswerNextMessage();
    QTest::mouseClick(Child<QPushButton>("sendToMain"), Qt::LeftButton);
    EXPECT_TRUE(unsent->seen && m_browser->isVisible() && !m_browser->Choice());

    SelectRow("Press Me");
    const int before = Presses();
    auto* menu = Child<QMenu>("controlMenu");
    ASSERT_EQ(menu->actions().size(), 7);
    EXPECT_EQ(menu->defaultAction()->text(), "Set Focus");
    menu->actions()[0]->trigger();  // "Click It"
    EXPECT_TRUE(WaitFor([&] { return Presses() == before + 1; }));

    const std::shared_ptr<SeenMessage> details = AnswerNextMessage();
    menu->actions()[4]->trigger();  // "Show Details..."
    EXPECT_EQ(details->text, "Name : Press Me\n\nValue : .");
    EXPECT_EQ(details->format, Qt::PlainText);

    // A row whose element cannot be invoked fails with its message.
    Child<QCheckBox>("onlyClickables")->click();
    SelectRow(s_title);
    const std::shared_ptr<SeenMessage> failed = AnswerNextMessage();
    m_browser->ClickSelected();
    EXPECT_EQ(failed->text, "Failed to Click.");
    EXPECT_EQ(failed->icon, QMessageBox::Critical);
}

TEST_F(ControlBrowserDialogTest, BurstOfNameChangesRefreshesOnceAfterTheDelay) {
    BrowseTarget();
    Child<QCheckBox>("onlyClickables")->click();
    auto* delay = Child<QLineEdit>("refreshDelay");
    delay->selectAll();
    QTest::keyClicks(delay, QStringLiteral("1500"));
    const int fills = m_browser->FillCount();
    s_app->write("rename 10\n");
    ASSERT_TRUE(WaitFor([&] { return m_browser->FillCount() > fills; }));
    const std::string trace = m_trace.str();
    std::string expected;
    for (int n = 1; n <= 10; ++n) {
        expected += ">> Property (30005) changed! (count: " + std::to_string(n) + ")\n";
    }
    EXPECT_EQ(trace.substr(trace.size() - expected.size()), expected);
    EXPECT_EQ(m_browser->FillCount(), fills + 1);
    QTest::qWait(2000);
    EXPECT_EQ(m_browser->FillCount(), fills + 1);
    // The refill shows the last name and puts the window's name back.
    EXPECT_EQ(Child<QLineEdit>("windowName")->text().toStdString(), s_title);
    ASSERT_GE(Rows().rowCount(), 7);
    EXPECT_EQ(Rows().Rows()[6].name, "Counter 10");
}

// "Select Element..." blocks the main window only: the live preview still
// takes keys. Picking the same window again reads it anew. "Send" sets the
// three element fields alone, also past a field that does not parse.
TEST_F(ControlBrowserDialogTest, SelectElementSetsOnlyTheElementFields) {
    QuorvaneDialog& dialog = OpenMainWindow();
    SetEdit(ctl::kAreaWidth, QStringLiteral("40"));
    SetEdit(ctl::kAreaHeight, QStringLiteral("30"));
    Click(ctl::kAreaPreview);
    const QPointer<LivePreview> preview = dialog.CurrentLivePreview();
    ASSERT_TRUE(preview && QTest::qWaitForWindowExposed(preview));
    SetEdit(ctl::kAreaLeft, QStringLiteral("12x"));
    SetEdit(ctl::kTextToSpeak, QStringLiteral("typed"));
    int fills = 0;
    bool prompted = false;
    QPointer<QObject> promptWatch;
    OnNextModal([&](QWidget* modal) {
        // The browser may first ask, modally, to switch accessibility on.
        auto* browser = qobject_cast<ControlBrowserDialog*>(modal);
        if (!browser) {
            browser = qobject_cast<ControlBrowserDialog*>(modal->parentWidget());
            qobject_cast<QDialog*>(modal)->reject();
        }
        ASSERT_NE(browser, nullptr);
        m_open = browser;
        QTest::keyClick(preview->windowHandle(), Qt::Key_Escape);
        EXPECT_TRUE(WaitFor([&] { return preview.isNull(); }));
        PickTarget(Combo());
        PickTarget(Combo());
        fills = browser->FillCount();
        Child<QCheckBox>("onlyClickables")->click();
        SelectRow("Greeting");
        promptWatch = OnNextModal(
            [&](QWidget* prompt) {
                prompted = true;
                qobject_cast<QDialog*>(prompt)->reject();
            },
            browser);
        QTest::mouseClick(Child<QPushButton>("sendToMain"), Qt::LeftButton);
    });
    Click(ctl::kSelectElement);
    delete promptWatch.data();
    EXPECT_EQ(fills, 2);
    EXPECT_FALSE(prompted);
    const MainDialogControls& c = dialog.Controls();
    EXPECT_EQ(c.Edit(ctl::kElementWindow)->text().toStdString(), s_title);
    EXPECT_EQ(c.Edit(ctl::kElementName)->text(), QStringLiteral("Greeting"));
    EXPECT_EQ(c.Edit(ctl::kElementValue)->text(), QStringLiteral("hello world"));
    EXPECT_EQ(c.Edit(ctl::kAreaLeft)->text(), QStringLiteral("12x"));
    EXPECT_EQ(c.Edit(ctl::kTextToSpeak)->text(), QStringLiteral("typed"));
}

TEST_F(ControlBrowserDialogTest, CopyPutsTheTabSeparatedRowsOnTheClipboard) {
    BrowseTarget();
    struct Case {
        bool onlyClickables;
        bool onlyWithValues;
        std::string text;
    };
    const std::vector<Case> cases{{true, false, "1\tPress Me\t\t\r\n2\tInner"},
                                  {false, true, "Greeting\thello world\tYes\r\nFixed\tfixed"}};
    for (const Case& c : cases) {
        if (Child<QCheckBox>("onlyClickables")->isChecked() != c.onlyClickables) {
            Child<QCheckBox>("onlyClickables")->click();
        }
        Child<QCheckBox>("copyOnlyWithValues")->setChecked(c.onlyWithValues);
        const std::shared_ptr<SeenMessage> confirmation = AnswerNextMessage();
        QTest::mouseClick(Child<QPushButton>("copyToClipboard"), Qt::LeftButton);
        ASSERT_TRUE(WaitFor([&] { return confirmation->seen; }));
        EXPECT_EQ(confirmation->text.toStdString(), CopiedConfirmationText(c.text));
        QProcess xclip;
        xclip.start(QStringLiteral("xclip"), {"-o", "-selection", "clipboard"});
        // The clipboard owner (this process) must answer while xclip waits.
        ASSERT_TRUE(WaitFor([&] { return xclip.state() == QProcess::NotRunning; }));
        EXPECT_EQ(xclip.readAllStandardOutput().toStdString(), c.text);
    }
}

// A title period of 0 must not make the timer spin; one beyond the timer's
// range still runs it.
TEST_F(ControlBrowserDialogTest, TitleTimerRunsAtLeastEveryMillisecondAndColumnWidthsAreStored) {
    OpenBrowser();
    Child<QCheckBox>("timerWatch")->setChecked(true);
    auto* period = Child<QLineEdit>("titlePeriod");
    const std::pair<const char*, int> cases[] = {
        {"0", 1}, {"1", 1}, {"2500", 2500}, {"4294967295", 2147483647}};
    for (const auto& [typed, expected] : cases) {
        period->selectAll();
        QTest::keyClicks(period, QLatin1String(typed));
        EXPECT_TRUE(m_browser->TitleTimer().isActive()) << typed;
        EXPECT_EQ(m_browser->TitleTimer().interval(), expected) << typed;
    }

    // Column widths are stored under ControlList.
    const int widths[] = {61, 203, 187, 95};
    for (int i = 0; i < 4; ++i) {
        List()->setColumnWidth(i, widths[i]);
    }
    m_browser.reset();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ReopenStore()->GetInt("ControlList", "Column" + std::to_string(i), 0), widths[i]);
    }
    OpenBrowser();
    EXPECT_EQ(List()->columnWidth(3), 95);
}

}  // namespace
}  // namespace qrv
