#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/automation/click_action.h"
#include "core/automation/control_browser_model.h"
#include "core/automation/control_tree_reader.h"
#include "core/automation/element_finder.h"
#include "fakes/automation_fake_element.h"

namespace qrv {
namespace {

using Props = FakeElement::Props;

TEST(ClickAction, OnlyPressOrClickOnButtonsMenuItemsAndLinks) {
    struct Case {
        std::string role;
        std::vector<std::string> actions;
        std::optional<size_t> index;
    };
    const Case cases[] = {
        {"push button", {"click"}, 0},
        {"push button", {"SetFocus", "Press"}, 1},
        {"push button", {"activate", "press", "click"}, 2},
        {"push button", {"toggle"}, std::nullopt},
        {"push button", {}, std::nullopt},
        {"push button menu", {"press"}, 0},
        {"toggle button", {"toggle"}, 0},
        {"toggle button", {"toggle", "click"}, 1},
        {"menu item", {"click"}, 0},
        {"check menu item", {"activate"}, 0},
        {"radio menu item", {"CLICK"}, 0},
        {"link", {"jump"}, 0},
        {"link", {"focus", "activate"}, 1},
        // "activate" on an entry fires Enter and submits its form.
        {"entry", {"activate"}, std::nullopt},
        {"password text", {"activate"}, std::nullopt},
        {"text", {"click"}, std::nullopt},
        {"slider", {"press"}, std::nullopt},
        {"spin button", {"click"}, std::nullopt},
        {"check box", {"click", "toggle"}, std::nullopt},
        {"radio button", {"click"}, std::nullopt},
        {"label", {"click"}, std::nullopt},
        {"Push Button", {"click"}, std::nullopt},  // role names are not translated
        {"push button", {"clicks", "pres"}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.role + " " + std::to_string(c.actions.size()));
        EXPECT_EQ(ClickActionIndex(c.role, c.actions), c.index);
    }
}

// A chain of `length` elements below root, each the only child of the one before.
std::shared_ptr<FakeElement> Chain(size_t length) {
    auto root = std::make_shared<FakeElement>(Props{.name = "0"});
    std::shared_ptr<FakeElement> last = root;
    for (size_t i = 1; i <= length; ++i) {
        last = last->Add({.name = std::to_string(i), .invokable = true});
    }
    return root;
}

size_t CountVisits(const ElementPtr& root) {
    size_t visits = 0;
    WalkTree(root, [&](const ElementPtr&) {
        ++visits;
        return false;
    });
    return visits;
}

TEST(TreeWalk, DepthAndCountAreBounded) {
    for (size_t length : {size_t(0), size_t(5), kMaxWalkDepth, kMaxWalkDepth + 1, size_t(1000)}) {
        SCOPED_TRACE(length);
        EXPECT_EQ(CountVisits(Chain(length)), std::min(length, kMaxWalkDepth) + 1);
    }
    const auto deep = Chain(kMaxWalkDepth + 3);
    EXPECT_NE(FindDescendant(deep, std::to_string(kMaxWalkDepth), std::nullopt), nullptr);
    EXPECT_EQ(FindDescendant(deep, std::to_string(kMaxWalkDepth + 1), std::nullopt), nullptr);

    for (size_t width : {kMaxWalkElements - 2, kMaxWalkElements - 1, kMaxWalkElements * 3}) {
        SCOPED_TRACE(width);
        auto wide = std::make_shared<FakeElement>(Props{.name = "list"});
        for (size_t i = 0; i < width; ++i) {
            wide->Add({.name = "row"});
        }
        EXPECT_EQ(CountVisits(wide), std::min(width + 1, kMaxWalkElements));
    }
}

TEST(TreeWalk, ManagingContainersAreNotEnteredAndSearchesStopAtTheFirstMatch) {
    auto window = std::make_shared<FakeElement>(Props{.name = "Sheet"});
    auto table = window->Add({.name = "Cells", .managesDescendants = true});
    auto cell = table->Add({.name = "A1", .invokable = true});
    auto after = window->Add({.name = "After", .invokable = true});
    EXPECT_EQ(CountVisits(window), 3u);
    EXPECT_EQ(table->childListings, 0);
    EXPECT_EQ(FindDescendant(window, "A1", std::nullopt), nullptr);
    EXPECT_EQ(FindDescendant(window, "After", std::nullopt), after);

    // A search stops at the first match.
    auto first = window->Add({.name = "Go"});
    auto holder = window->Add({.name = "Holder"});
    holder->Add({.name = "Go"});
    EXPECT_EQ(FindDescendant(window, "Go", std::nullopt), first);
    EXPECT_EQ(holder->childListings, 0);
}

// Rows and edit texts come from one walk that reads each element's children once.
TEST(ControlTreeReader, OneWalkPerFill) {
    auto window = std::make_shared<FakeElement>(Props{.name = "W"});
    auto panel = window->Add({.name = "Panel"});
    auto edit = panel->Add({.name = "User", .value = "bob", .kind = ElementKind::Edit});
    auto ok = panel->Add({.name = "OK", .invokable = true});
    ControlBrowserModel model;
    model.ChooseWindow(window);
    EXPECT_EQ(model.Rows().size(), 1u);
    model.SetOnlyClickables(false);
    EXPECT_EQ(model.Rows().size(), 4u);
    EXPECT_EQ(model.EditFieldsText(), "bob,User,");
    for (const auto& element : {window, panel, edit, ok}) {
        EXPECT_EQ(element->childListings, 2) << element->Name();
    }
}

TEST(WindowElement, ExactTitleProcessAndPlace) {
    const Rect client{100, 130, 500, 430};
    const Rect frame{95, 100, 505, 435};
    const Rect elsewhere{600, 130, 1000, 430};
    struct Candidate {
        std::string name;
        int64_t processId;
        std::optional<Rect> bounds;
    };
    struct Case {
        const char* what;
        std::vector<Candidate> candidates;
        TopLevelWindow window;
        std::optional<size_t> found;
    };
    const TopLevelWindow placed{
        .title = "Doc", .processId = 7, .clientRect = client, .frameRect = frame};
    const TopLevelWindow unplaced{.title = "Doc", .processId = 7};
    const Case cases[] = {
        {"only match", {{"Tools", 7, {}}, {"Doc", 7, client}}, placed, 1},
        {"frame extents", {{"Doc", 7, frame}}, placed, 0},
        {"toolkit tells no extents", {{"Doc", 7, {}}}, placed, 0},
        {"window place unknown", {{"Doc", 7, elsewhere}}, unplaced, 0},
        {"other title of the process", {{"Tools", 7, client}}, placed, std::nullopt},
        {"title differs in case", {{"doc", 7, client}}, placed, std::nullopt},
        {"other process", {{"Doc", 8, client}}, placed, std::nullopt},
        {"placed elsewhere", {{"Doc", 7, elsewhere}}, placed, std::nullopt},
        {"within the frame, shadow left out", {{"Doc", 7, Rect{98, 110, 502, 433}}}, placed, 0},
        {"reaching out of the frame", {{"Doc", 7, Rect{95, 100, 506, 435}}}, placed, std::nullopt},
        {"exact place beats within",
         {{"Doc", 7, Rect{120, 150, 300, 300}}, {"Doc", 7, client}},
         placed,
         1},
        {"exact place beats unknown", {{"Doc", 7, {}}, {"Doc", 7, frame}}, placed, 1},
        {"twins both within",
         {{"Doc", 7, Rect{120, 150, 300, 300}}, {"Doc", 7, {}}},
         placed,
         std::nullopt},
        {"twins told apart by place", {{"Doc", 7, elsewhere}, {"Doc", 7, client}}, placed, 1},
        {"twins at one place", {{"Doc", 7, client}, {"Doc", 7, client}}, placed, std::nullopt},
        {"twins without extents", {{"Doc", 7, {}}, {"Doc", 7, {}}}, placed, std::nullopt},
        {"twins, place unknown",
         {{"Doc", 7, client}, {"Doc", 7, elsewhere}},
         unplaced,
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto desktop = std::make_shared<FakeElement>(Props{});
        std::vector<ElementPtr> windows;
        for (const Candidate& candidate : c.candidates) {
            windows.push_back(desktop->Add({.name = candidate.name,
                                            .processId = candidate.processId,
                                            .bounds = candidate.bounds}));
        }
        const ElementPtr found = FindWindowElement(desktop, c.window);
        EXPECT_EQ(found, c.found ? windows[*c.found] : nullptr);
    }
    EXPECT_EQ(FindWindowElement(nullptr, placed), nullptr);
}

}  // namespace
}  // namespace qrv
