#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "core/automation/c_element_clicker.h"
#include "fakes/automation_fake_tree.h"
#include "fakes/recording_beeper.h"

namespace qrv {
namespace {

using Props = FakeElement::Props;

// Desktop: "Editor" (Save button, OK with value "a", OK with value "b",
// "Editor" button, plain label "Info"), a second "Editor" with "Only Here",
// and "editor" with "Save".
class ElementClickerTest : public testing::Test {
  protected:
    ElementClickerTest() {
        window = tree->desktop->Add({.name = "Editor"});
        auto group = window->Add({.name = ""});
        save = group->Add({.name = "Save", .invokable = true});
        okA = window->Add({.name = "OK", .value = "a", .invokable = true});
        okB = window->Add({.name = "OK", .value = "b", .invokable = true});
        window->Add({.name = "Editor", .invokable = true});
        info = window->Add({.name = "Info"});
        tree->desktop->Add({.name = "Editor"})->Add({.name = "Only Here", .invokable = true});
        tree->desktop->Add({.name = "editor"})->Add({.name = "Save", .invokable = true});
    }

    bool Click(const std::string& w, const std::string& e, const std::string& v, bool noValue) {
        return clicker.ClickElement(w, e, v, noValue);
    }

    std::shared_ptr<AutomationFakeTree> tree = std::make_shared<AutomationFakeTree>();
    ActionLog log;
    RecordingBeeper beeper{log};
    CElementClicker clicker{AutomationFakeTree::FactoryOf(tree), beeper};
    std::shared_ptr<FakeElement> window, save, okA, okB, info;
};

// Whole, case-sensitive names and values only; a failed invoke is no click.
TEST_F(ElementClickerTest, MatchesWholeCaseSensitiveNamesAndValuesOnly) {
    struct Case {
        const char* windowName;
        const char* elementName;
        const char* value;
        bool noValue;
        bool clicked;
    };
    const Case cases[] = {
        {"Editor", "Save", "", false, true},       // nested below an unnamed group
        {"Editor", "Save", "x", true, true},       // value ignored
        {"Editor", "Save", "x", false, false},     // value differs
        {"Editor", "save", "", true, false},       // letter case
        {"Editor", "Save ", "", true, false},      // trailing blank
        {"Editor ", "Save", "", true, false},      // window name with trailing blank
        {"Edit", "Save", "", true, false},         // window name prefix
        {"Editor", "Only Here", "", true, false},  // lives in the second window of that name
        {"Editor", "Info", "", true, false},       // not invocable
        {"Editor", "Missing", "", true, false},
        {"Editor", "OK", "b", false, true},    // the value picks among equal names
        {"Editor", "OK", "zzz", true, true},   // without it, the first
        {"Editor", "OK", "", false, false},    // an empty value matches only empty values
        {"Editor", "Editor", "", true, true},  // the button named like the window
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.windowName) + "/" + c.elementName + "/" + c.value);
        EXPECT_EQ(Click(c.windowName, c.elementName, c.value, c.noValue), c.clicked);
    }
    EXPECT_EQ(save->invocations, 2);
    EXPECT_EQ(okA->invocations, 1);
    EXPECT_EQ(okB->invocations, 1);
    EXPECT_EQ(window->invocations, 0);  // the window itself never matches
    save->props.actionsSucceed = false;
    EXPECT_FALSE(Click("Editor", "Save", "", true));
}

// A stopped run gives up the element search between steps of the walk.
// Where the desktop looks windows up itself, its answer comes first: here it
// names a window that is not among the desktop's children at all.
TEST_F(ElementClickerTest, TheDesktopsOwnWindowLookupComesFirst) {
    auto own = std::make_shared<FakeElement>(Props{.name = "Editor"});
    auto button = own->Add({.name = "Only Here", .invokable = true});
    tree->named["Editor"] = own;
    EXPECT_TRUE(Click("Editor", "Only Here", "", true));
    EXPECT_EQ(button->invocations, 1);
    EXPECT_FALSE(Click("Editor", "Save", "", true));

    tree->named.clear();
    EXPECT_FALSE(Click("Editor", "Only Here", "", true));
    EXPECT_TRUE(Click("Editor", "Save", "", true));
}

TEST_F(ElementClickerTest, AStopEndsTheSearch) {
    std::atomic<int32_t> stop{0};
    const auto group = std::static_pointer_cast<FakeElement>(window->Children(1).front());
    group->onChildren = [&] { stop = 1; };  // the user stops while the group is read
    struct Case {
        const char* elementName;
        std::shared_ptr<FakeElement> element;
    } cases[] = {{"Save", save}, {"OK", okA}, {"Info", info}};
    for (const Case& c : cases) {
        stop = 0;
        EXPECT_FALSE(clicker.ClickElement("Editor", c.elementName, "a", true, &stop))
            << c.elementName;
        EXPECT_EQ(c.element->invocations, 0) << c.elementName;
    }
    group->onChildren = {};
    stop = 0;
    EXPECT_TRUE(clicker.ClickElement("Editor", "OK", "a", false, &stop));
}

TEST_F(ElementClickerTest, UnavailableTreeBeepsEveryAttemptAndIsRetried) {
    tree->opens = false;
    EXPECT_FALSE(clicker.EnsureAutomation());
    EXPECT_FALSE(Click("Editor", "Save", "", true));
    tree->opens = true;
    tree->rootAvailable = false;
    EXPECT_FALSE(Click("Editor", "Save", "", true));
    tree->rootAvailable = true;
    EXPECT_TRUE(Click("Editor", "Save", "", true));
    EXPECT_EQ(tree->openCount, 3);  // the tree, once opened, is kept while its root is missing
    EXPECT_EQ(log.Entries(), std::vector<std::string>(3, "beep 0x10"));
}

TEST_F(ElementClickerTest, ContextIsKeptUntilReleased) {
    ASSERT_TRUE(clicker.EnsureAutomation());
    EXPECT_TRUE(Click("Editor", "Save", "", true));
    EXPECT_EQ(tree->openCount, 1);
    EXPECT_EQ(tree->rootRequests, 1);
    clicker.ReleaseAutomation();
    EXPECT_TRUE(Click("Editor", "Save", "", true));
    EXPECT_EQ(tree->openCount, 2);
    EXPECT_TRUE(log.Entries().empty());
}

TEST_F(ElementClickerTest, TwoThreadsShareOneContext) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([this] {
            for (int i = 0; i < 50; ++i) {
                Click("Editor", "Missing", "", true);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(tree->openCount, 1);
    EXPECT_EQ(tree->rootRequests, 1);
}

}  // namespace
}  // namespace qrv
