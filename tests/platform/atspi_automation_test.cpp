#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>
#include <sstream>

#include "atspi/accessibility_bus_switch.h"
#include "atspi/atspi_automation_tree.h"
#include "atspi/atspi_name_change_monitor.h"
#include "atspi/qt_one_shot_timer.h"
#include "automation/c_element_clicker.h"
#include "automation/control_list_monitor.h"
#include "automation/control_list_text.h"
#include "automation/control_tree_reader.h"
#include "automation/element_finder.h"
#include "platform_test_support.h"

namespace qrv {
namespace {

class MockBeeper : public Beeper {
  public:
    MOCK_METHOD(void, Beep, (BeepKind kind), (override));
};

using test::WaitUntil;

void Pump(int ms) {
    WaitUntil([] { return false; }, ms);
}

// The accessible test window, started once for all tests of this file.
class AtspiAutomationTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!test::HasDesktop())
            return;
        test::EnsureQtApp();
        s_dir = new QTemporaryDir();
        s_title = "Quorvane Target " + std::to_string(QCoreApplication::applicationPid());
        const auto script =
            std::filesystem::path(__FILE__).parent_path() / "apps" / "accessible_target.py";
        s_app = new QProcess();
        s_app->start("/usr/bin/python3", {QString::fromStdString(script.string()),
                                          QString::fromStdString(s_title), PressLog()});
        s_tree = s_app->waitForReadyRead(20000) ? AtspiAutomationTree::Open() : nullptr;
        s_ready = s_tree && WaitUntil([] { return Window() != nullptr; });
    }

    static void TearDownTestSuite() {
        if (s_app) {
            s_app->write("quit\n");
            s_app->waitForFinished(5000);
        }
        delete s_app;
        delete s_dir;
        s_tree.reset();
    }

    void SetUp() override {
        QRV_SKIP_WITHOUT_DESKTOP();
        ASSERT_TRUE(s_ready) << "the test window did not appear in the accessibility tree";
    }

    static QString PressLog() { return s_dir->filePath("presses.log"); }
    static int Presses() {
        QFile log(PressLog());
        return log.open(QIODevice::ReadOnly) ? int(log.readAll().count('\n')) : 0;
    }
    static ElementPtr Window() { return FindTopLevel(s_tree->Root(), s_title); }

    static inline QTemporaryDir* s_dir = nullptr;
    static inline QProcess* s_app = nullptr;
    static inline std::shared_ptr<AutomationTree> s_tree;
    static inline std::string s_title;
    static inline bool s_ready = false;
};

TEST_F(AtspiAutomationTest, ClickElementPressesTheButtonByNameAndValue) {
    MockBeeper beeper;
    EXPECT_CALL(beeper, Beep).Times(0);
    CElementClicker clicker(&AtspiAutomationTree::Open, beeper);
    ASSERT_TRUE(clicker.EnsureAutomation());
    EXPECT_TRUE(clicker.ClickElement(s_title, "Press Me", "ignored", true));
    EXPECT_TRUE(WaitUntil([] { return Presses() == 1; }));
    EXPECT_FALSE(clicker.ClickElement(s_title, "press me", "", true));
    EXPECT_FALSE(clicker.ClickElement(s_title + " ", "Press Me", "", true));
    EXPECT_FALSE(clicker.ClickElement(s_title, "Counter 0", "", true));  // a label has no action
    // The line edit is found by its text only when that text is the whole value.
    EXPECT_TRUE(clicker.ClickElement(s_title, "Greeting", "hello world", false));
    EXPECT_FALSE(clicker.ClickElement(s_title, "Greeting", "hello", false));
    EXPECT_FALSE(clicker.ClickElement(s_title, "Greeting", "", false));
    EXPECT_TRUE(clicker.ClickElement(s_title, "Press Me", "", false));
    EXPECT_TRUE(WaitUntil([] { return Presses() == 2; }));
    clicker.ReleaseAutomation();
}

TEST_F(AtspiAutomationTest, RowsAndEditFieldsOfTheWindow) {
    const std::string all = "1\t" + s_title +
                            "\t\t\r\n"
                            "2\tPress Me\t\t\r\n"
                            "3\tGreeting\thello world\tYes\r\n"
                            "4\tFixed\tfixed\t\r\n"
                            "5\tRemember\t\t\r\n"
                            "6\tInner\t\t\r\n"
                            "7\tCounter ";
    const std::optional<std::string> text = WindowControlsText(*s_tree, s_title, false);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->substr(0, all.size()), all);
    EXPECT_EQ(WindowControlsText(*s_tree, s_title, true),
              "1\tPress Me\t\t\r\n2\tGreeting\thello world\tYes\r\n3\tFixed\tfixed\t\r\n"
              "4\tRemember\t\t\r\n5\tInner");
    EXPECT_EQ(GetEditFieldsText(Window()), "hello world,Greeting,");
    EXPECT_EQ(WindowControlsText(*s_tree, "No Such Window", false), std::nullopt);
}

// Found by the process whatever its title; not for another process.
TEST_F(AtspiAutomationTest, WindowElementOfTheProcess) {
    for (const std::string& title : {s_title, std::string("Another title")}) {
        ElementPtr element =
            FindWindowElement(s_tree->Root(), {.title = title, .processId = s_app->processId()});
        ASSERT_TRUE(element) << title;
        EXPECT_EQ(element->Name(), s_title);
    }
    EXPECT_EQ(FindWindowElement(s_tree->Root(), {.title = s_title, .processId = 1}), nullptr);
}

TEST_F(AtspiAutomationTest, BurstOfNameChangesGivesOneRefresh) {
    ControlBrowserModel model;
    AtspiNameChangeMonitor names;
    QtOneShotTimer timer;
    testing::NiceMock<MockBeeper> beeper;
    std::ostringstream trace;
    ControlListMonitor monitor(model, names, timer, beeper, trace);
    model.SetOnlyClickables(false);
    int refreshes = 0;
    monitor.SetChangedCallback([&] { refreshes += model.WindowNameField() == s_title ? 1 : 0; });
    monitor.SetRefreshDelay(1000);
    monitor.ChooseWindow(Window());
    ASSERT_EQ(refreshes, 1);

    // The application learns about the new listener asynchronously: rename until
    // an event arrives, then let that refresh pass.
    ASSERT_TRUE(WaitUntil([&] {
        s_app->write("rename 1\n");
        Pump(200);
        return monitor.EventCount() > 0;
    }));
    ASSERT_TRUE(WaitUntil([&] { return refreshes == 2; }));
    const uint32_t before = monitor.EventCount();

    s_app->write("rename 10\n");
    ASSERT_TRUE(WaitUntil([&] { return refreshes == 3; }));
    EXPECT_EQ(monitor.EventCount(), before + 10);
    Pump(1500);
    EXPECT_EQ(refreshes, 3);
    EXPECT_EQ(model.Rows().back().name, "Counter " + std::to_string(before + 10));
    EXPECT_NE(trace.str().find("(count: " + std::to_string(before + 10) + ")\n"),
              std::string::npos);
}

TEST_F(AtspiAutomationTest, AccessibilitySwitchCanBeTurnedOn) {
    AccessibilityBusSwitch accessibility;
    ASSERT_TRUE(accessibility.IsEnabled().has_value());
    EXPECT_TRUE(accessibility.Enable());
    EXPECT_EQ(accessibility.IsEnabled(), true);
}

}  // namespace
}  // namespace qrv
