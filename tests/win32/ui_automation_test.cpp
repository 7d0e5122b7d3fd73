#include <gtest/gtest.h>

#include "fakes/automation_fake_element.h"
#include "platform/win32/uia_automation_tree.h"
#include "platform/win32/uia_name_change_monitor.h"
#include "test_window.h"

namespace qrv::win32 {
namespace {

bool ClientClassRegistered() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\{ff48dba4-60ef-4201-aa87-54103eef594e}", 0,
                      KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

// Where the system has a UI Automation client, a window of this process is a
// child of the desktop root with its exact title and process; where it has
// none (Wine), opening gives null, which callers treat as no tree at all.
TEST(UiaAutomationTreeTest, ShowsOurWindowUnderTheRootOrIsAbsent) {
    const std::wstring title = L"Quorvane tree probe \u00e9\u4e2d";
    TestWindow window(RECT{40, 40, 140, 90}, RGB(1, 2, 3), title);
    std::shared_ptr<AutomationTree> tree = UiaAutomationTree::Open();
    ASSERT_EQ(tree != nullptr, ClientClassRegistered());
    if (!tree) {
        return;
    }
    ElementPtr root = tree->Root();
    ASSERT_NE(root, nullptr);
    int matches = 0;
    for (const ElementPtr& child : root->Children(10000)) {
        if (child->Name() == "Quorvane tree probe \xc3\xa9\xe4\xb8\xad") {
            ++matches;
            EXPECT_EQ(child->ProcessId(), int64_t(GetCurrentProcessId()));
            EXPECT_FALSE(child->IsInvokable());
        }
    }
    EXPECT_EQ(matches, 1);
}

// Elements of another tree (here the core's fake) are refused, and
// unwatching without a watch is harmless.
TEST(UiaNameChangeMonitorTest, RefusesElementsItDidNotMake) {
    UiaNameChangeMonitor monitor;
    int calls = 0;
    auto foreign = std::make_shared<FakeElement>(FakeElement::Props{.name = "window"});
    EXPECT_FALSE(monitor.Watch(foreign, [&](const std::string&) { ++calls; }));
    EXPECT_FALSE(monitor.Watch(nullptr, [&](const std::string&) { ++calls; }));
    monitor.Unwatch();
    EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace qrv::win32
