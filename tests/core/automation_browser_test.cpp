#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "core/automation/control_browser_model.h"
#include "core/automation/control_browser_texts.h"
#include "core/automation/control_list_monitor.h"
#include "core/automation/window_watch.h"
#include "fakes/automation_fake_element.h"
#include "fakes/automation_fake_name_monitor.h"
#include "fakes/automation_manual_timer.h"
#include "fakes/recording_beeper.h"

namespace qrv {
namespace {

using Props = FakeElement::Props;

std::shared_ptr<FakeElement> MakeWindow(const std::string& name) {
    auto window = std::make_shared<FakeElement>(Props{.name = name});
    window->Add({.name = "Go", .value = "1", .invokable = true});
    window->Add({.name = "Go", .value = "1", .invokable = true});
    window->Add({.name = "Edit", .value = "text", .kind = ElementKind::Edit});
    return window;
}

TEST(ControlBrowserModel, RowActionsAndSelectionChecks) {
    ControlBrowserModel model;
    EXPECT_EQ(model.SelectionProblem(false, 0), browser_texts::kNoWindowChosen);
    EXPECT_EQ(model.SelectionProblem(true, 0), browser_texts::kNoControlsLoaded);
    auto window = MakeWindow("Main");
    model.ChooseWindow(window);
    ASSERT_EQ(model.Rows().size(), 2U);  // only clickables at first
    EXPECT_EQ(model.WindowNameField(), "Main");
    EXPECT_EQ(model.EditFieldsText(), "text,Edit,");
    EXPECT_EQ(model.SelectionProblem(true, std::nullopt), browser_texts::kNoControlSelected);
    EXPECT_EQ(model.SelectionProblem(true, 2), browser_texts::kNoControlSelected);
    EXPECT_EQ(model.SelectionProblem(true, 1), "");

    // Equal rows act on the first element in tree order.
    EXPECT_TRUE(model.ClickRow(1));
    EXPECT_TRUE(model.FocusRow(1));
    auto first = std::static_pointer_cast<FakeElement>(window->Children(SIZE_MAX)[0]);
    EXPECT_EQ(first->invocations, 1);
    EXPECT_EQ(first->focusRequests, 1);
    EXPECT_EQ(model.DetailsText(1), "Name : Go\n\nValue : 1.");
    EXPECT_EQ(model.ChoiceForRow(0), (ElementChoice{"Main", "Go", "1"}));

    // The row's value is always part of the search.
    first->props.value = "2";
    std::static_pointer_cast<FakeElement>(window->Children(SIZE_MAX)[1])->props.value = "2";
    EXPECT_FALSE(model.ClickRow(0));
    EXPECT_FALSE(model.FocusRow(0));
    model.SetOnlyClickables(false);
    EXPECT_EQ(model.Rows().size(), 4U);
}

TEST(ControlBrowserModel, LostWindowKeepsRowsAndClearingKeepsTheElement) {
    ControlBrowserModel model;
    model.ChooseWindow(MakeWindow("Main"));
    model.ClearControlList();
    EXPECT_TRUE(model.Rows().empty() && model.WindowNameField().empty());
    EXPECT_TRUE(model.EditFieldsText().empty());
    model.FillControlList();
    EXPECT_EQ(model.Rows().size(), 2U);
    model.ChooseWindow(nullptr);
    EXPECT_EQ(model.Rows().size(), 2U);
    EXPECT_FALSE(model.ClickRow(0));
    model.FillControlList();
    EXPECT_TRUE(model.Rows().empty());
}

class ControlListMonitorTest : public testing::Test {
  protected:
    ControlListMonitorTest() {
        monitor.SetChangedCallback([this] { ++changes; });
        monitor.SetRefilledCallback([this] { refills.push_back(changes); });
    }
    ControlBrowserModel model;
    FakeNameChangeMonitor names;
    ManualOneShotTimer timer;
    ActionLog log;
    RecordingBeeper beeper{log};
    std::ostringstream trace;
    ControlListMonitor monitor{model, names, timer, beeper, trace};
    std::shared_ptr<FakeElement> window = MakeWindow("Main");
    int changes = 0;
    // The count of changes each refill came after.
    std::vector<int> refills;
};

TEST_F(ControlListMonitorTest, BurstOfChangesGivesOneRefreshAfterTheDelay) {
    monitor.ChooseWindow(window);
    ASSERT_EQ(names.watched, window);
    auto go = std::static_pointer_cast<FakeElement>(window->Children(SIZE_MAX)[0]);
    for (int i = 1; i <= 10; ++i) {
        go->props.name = "Go " + std::to_string(i);
        ASSERT_TRUE(names.Fire(go->props.name));
        EXPECT_EQ(model.WindowNameField(), go->props.name);  // shows the changed name meanwhile
        timer.Advance(100);
    }
    EXPECT_EQ(model.Rows()[0].name, "Go");  // not refreshed during the burst
    timer.Advance(2899);
    EXPECT_EQ(model.Rows()[0].name, "Go");
    timer.Advance(1);
    EXPECT_EQ(model.Rows()[0].name, "Go 10");
    EXPECT_EQ(model.WindowNameField(), "Main");
    EXPECT_EQ(timer.now, 900U + 3000U);
    EXPECT_FALSE(timer.Pending());
    EXPECT_EQ(monitor.EventCount(), 10U);
    EXPECT_EQ(changes, 1 + 10 + 1);  // choice, each event, the single refresh
    EXPECT_EQ(refills, std::vector<int>{changes});
    std::string expected;
    for (int i = 1; i <= 10; ++i) {
        expected += ">> Property (30005) changed! (count: " + std::to_string(i) + ")\n";
    }
    EXPECT_EQ(trace.str(), expected);
}

TEST_F(ControlListMonitorTest, ZeroDelayRefreshesAfterOneMillisecondPerEvent) {
    monitor.SetRefreshDelay(0);
    monitor.ChooseWindow(window);
    for (int i = 0; i < 3; ++i) {
        names.Fire("x");
        EXPECT_EQ(model.WindowNameField(), "x");
        timer.Advance(1);
        EXPECT_EQ(model.WindowNameField(), "Main");
    }
    EXPECT_EQ(timer.starts, 3);
}

TEST_F(ControlListMonitorTest, WatchingFollowsTheBoxAndTheWindowChoiceAndARefusalBeeps) {
    monitor.ChooseWindow(window);
    monitor.SetAutomatedMonitor(false);
    EXPECT_FALSE(names.Fire("x"));
    monitor.SetAutomatedMonitor(true);
    EXPECT_TRUE(names.Fire("x"));
    monitor.SetAutomatedMonitor(false);
    auto other = MakeWindow("Other");
    monitor.ChooseWindow(other);
    EXPECT_EQ(names.watched, other);
    EXPECT_EQ(names.watchCalls, 3);
    EXPECT_EQ(names.unwatchCalls, 2);
    monitor.ChooseWindow(nullptr);  // no element, nothing watched
    EXPECT_EQ(names.watched, nullptr);
    EXPECT_EQ(names.watchCalls, 3);

    // A refused watch beeps and is still removed.
    names.accepts = false;
    monitor.ChooseWindow(window);
    EXPECT_EQ(log.Entries(), std::vector<std::string>{"beep 0x10"});
    const int unwatched = names.unwatchCalls;
    monitor.SetAutomatedMonitor(false);
    EXPECT_EQ(names.unwatchCalls, unwatched + 1);
}

TEST(WindowWatch, WindowListKeepsOrderAndDropsOwnHiddenDisabledUntitled) {
    const std::vector<TopLevelWindow> all = {
        {.id = 1, .title = "B", .processId = 10},
        {.id = 2, .title = "Own", .processId = 7},
        {.id = 3, .title = "", .processId = 10},
        {.id = 4, .title = "Hidden", .visible = false, .processId = 11},
        {.id = 5, .title = "Off", .enabled = false, .processId = 11},
        {.id = 6, .title = "A", .processId = 12},
    };
    std::vector<WindowId> ids;
    for (const TopLevelWindow& w : FilterWindowList(all, 7)) {
        ids.push_back(w.id);
    }
    EXPECT_EQ(ids, (std::vector<WindowId>{1, 6}));
}

}  // namespace
}  // namespace qrv
