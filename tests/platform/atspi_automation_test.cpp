#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>
#include <map>
#include <set>

#include "core/automation/c_element_clicker.h"
#include "core/automation/control_tree_reader.h"
#include "core/automation/element_finder.h"
#include "platform/atspi/accessibility_bus_switch.h"
#include "platform/atspi/atspi_automation_tree.h"
#include "platform/atspi/atspi_name_change_monitor.h"
#include "platform/x11/x_top_level_windows.h"
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
        const auto script = std::filesystem::path(QRV_TEST_APPS_DIR) / "accessible_target.py";
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
    // Lines of the log that read `line`.
    static int LogCount(const char* line) {
        QFile log(PressLog());
        return log.open(QIODevice::ReadOnly) ? int(log.readAll().split('\n').count(line)) : 0;
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
    EXPECT_TRUE(WaitUntil([] { return LogCount("pressed") == 1; }));
    EXPECT_FALSE(clicker.ClickElement(s_title, "press me", "", true));
    EXPECT_FALSE(clicker.ClickElement(s_title + " ", "Press Me", "", true));
    EXPECT_FALSE(clicker.ClickElement(s_title, "Counter 0", "", true));  // a label has no action
    EXPECT_FALSE(clicker.ClickElement(s_title, "Press Me", "x", false));
    EXPECT_TRUE(clicker.ClickElement(s_title, "Press Me", "", false));
    EXPECT_TRUE(WaitUntil([] { return LogCount("pressed") == 2; }));
    // A text entry's "activate" would submit its form; a check box is no button.
    EXPECT_FALSE(clicker.ClickElement(s_title, "Greeting", "hello world", false));
    EXPECT_FALSE(clicker.ClickElement(s_title, "Remember", "", true));
    Pump(300);
    EXPECT_EQ(LogCount("submitted"), 0);
    clicker.ReleaseAutomation();
}

// Each X window of the process maps to its own element, twins by their place;
// a title the process shows nowhere maps to nothing.
TEST_F(AtspiAutomationTest, WindowElementIsTheSameWindow) {
    XTopLevelWindows x11;
    ASSERT_TRUE(x11.Connected());
    const std::map<std::string, std::set<std::string>> buttons = {
        {s_title, {"Press Me"}},
        {s_title + " - Second", {"Second Button"}},
        {s_title + " Twin", {"Twin A", "Twin B"}},
    };
    std::vector<TopLevelWindow> windows;
    ASSERT_TRUE(WaitUntil([&] {
        windows.clear();
        for (const TopLevelWindow& window : x11.Enumerate()) {
            if (window.processId == s_app->processId()) {
                windows.push_back(window);
            }
        }
        return windows.size() == 4;
    }));
    std::map<std::string, std::set<std::string>> found;
    for (const TopLevelWindow& window : windows) {
        SCOPED_TRACE(window.title);
        ElementPtr element = FindWindowElement(s_tree->Root(), window);
        ASSERT_TRUE(element);
        EXPECT_EQ(element->Name(), window.title);
        for (const ControlRow& row : ReadControls(element, true).rows) {
            found[window.title].insert(row.name);
        }
    }
    EXPECT_EQ(found[s_title], (std::set<std::string>{"Press Me", "Inner"}));
    EXPECT_EQ(found[s_title + " - Second"], buttons.at(s_title + " - Second"));
    EXPECT_EQ(found[s_title + " Twin"], buttons.at(s_title + " Twin"));

    TopLevelWindow renamed = windows.front();
    renamed.title = "Another title";
    EXPECT_EQ(FindWindowElement(s_tree->Root(), renamed), nullptr);
    TopLevelWindow stranger = windows.front();
    stranger.processId = 1;
    EXPECT_EQ(FindWindowElement(s_tree->Root(), stranger), nullptr);
}

// The names come off the events, in order, and only from the watched window.
TEST_F(AtspiAutomationTest, NameChangesCarryTheirNewNames) {
    AtspiNameChangeMonitor names;
    std::vector<std::string> seen;
    ASSERT_TRUE(names.Watch(Window(), [&](const std::string& name) { seen.push_back(name); }));
    ASSERT_TRUE(WaitUntil([&] {
        s_app->write("rename-now 1\n");
        Pump(200);
        return !seen.empty();
    }));
    Pump(300);
    const std::string last = seen.back();
    ASSERT_EQ(last.rfind("Counter ", 0), 0u) << last;
    const int shown = std::stoi(last.substr(8));
    seen.clear();
    s_app->write("rename-second\nrename-now 3\n");
    ASSERT_TRUE(WaitUntil([&] { return seen.size() >= 3; }));
    Pump(300);
    const std::vector<std::string> expected = {"Counter " + std::to_string(shown + 1),
                                               "Counter " + std::to_string(shown + 2),
                                               "Counter " + std::to_string(shown + 3)};
    EXPECT_EQ(seen, expected);
    names.Unwatch();
}

TEST_F(AtspiAutomationTest, AccessibilitySwitchCanBeTurnedOn) {
    AccessibilityBusSwitch accessibility;
    ASSERT_TRUE(accessibility.IsEnabled().has_value());
    EXPECT_TRUE(accessibility.Enable());
    EXPECT_EQ(accessibility.IsEnabled(), true);
}

}  // namespace
}  // namespace qrv
