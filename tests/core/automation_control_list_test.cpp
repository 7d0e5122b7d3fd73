#include <gtest/gtest.h>

#include "core/automation/control_list_columns.h"
#include "core/automation/control_list_text.h"
#include "core/automation/control_tree_reader.h"
#include "core/settings/memory_profile_store.h"
#include "fakes/automation_fake_tree.h"

namespace qrv {
namespace {

using Props = FakeElement::Props;

TEST(ControlTreeReader, EditFieldsText) {
    struct Case {
        std::vector<Props> edits;
        std::string text;
    };
    const auto edit = [](std::string name, std::string value) {
        return Props{.name = std::move(name), .value = std::move(value), .kind = ElementKind::Edit};
    };
    const Case cases[] = {
        {{}, ""},
        {{edit("User", "bob"), edit("", "x"), edit("Empty", "")}, "bob,User,x,Empty,"},
        {{edit("Find", "cats"), edit("Address and search bar", "example.org")}, "example.org"},
        {{edit("Address and search bar", "a.org"), edit("Find", "q")}, "a.orgq,Find,"},
        {{edit("address and search bar", "a.org")}, "a.org,address and search bar,"},
        {{edit("Address and search bar", "")}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto window = std::make_shared<FakeElement>(Props{.name = "W", .kind = ElementKind::Edit});
        auto holder = window->Add({.name = "Holder"});
        holder->Add({.name = "Not an edit", .value = "v"});
        for (const Props& p : c.edits) {
            holder->Add(p);
        }
        EXPECT_EQ(ReadControls(window, true).editFields, c.text);
    }
}

TEST(ControlListText, ClipboardLinesTabsAndTrim) {
    const std::vector<ControlRow> rows = {
        {"1", "OK", "", ""}, {"2", "Path", "/tmp", "Yes"}, {"3", "Level", "3", ""}};
    struct Case {
        std::vector<ControlRow> rows;
        bool onlyWithValues;
        std::string text;
    };
    const Case cases[] = {
        {rows, false, "1\tOK\t\t\r\n2\tPath\t/tmp\tYes\r\n3\tLevel\t3"},
        {rows, true, "Path\t/tmp\tYes\r\nLevel\t3"},
        {{rows[0]}, true, ""},
        {{rows[2], rows[0]}, false, "3\tLevel\t3\t\r\n1\tOK"},
        {{{"1", "Pad ", " ", ""}}, false, "1\tPad"},  // trailing blanks of cells too
        {{}, false, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClipboardText(c.rows, c.onlyWithValues), c.text);
    }
    EXPECT_EQ(CopiedConfirmationText("x"),
              "Copied to Clipboard. You can Press Esc Key to Close this Screen.\r\n\r\nx");
}

TEST(ControlListText, WindowControlsTextOfFirstWindowNamed) {
    AutomationFakeTree tree;
    tree.desktop->Add({.name = "Form"})->Add({.name = "First", .invokable = true});
    auto second = tree.desktop->Add({.name = "Form"});
    second->Add({.name = "Second", .invokable = true});
    EXPECT_EQ(WindowControlsText(tree, "Form", true), "1\tFirst");
    EXPECT_EQ(WindowControlsText(tree, "Form", false), "1\tForm\t\t\r\n2\tFirst");
    EXPECT_EQ(WindowControlsText(tree, "form", false), std::nullopt);
    // The desktop's own lookup, where it has one, picks the window.
    tree.named["Form"] = second;
    EXPECT_EQ(WindowControlsText(tree, "Form", true), "1\tSecond");
    tree.named.clear();
    tree.rootAvailable = false;
    EXPECT_EQ(WindowControlsText(tree, "Form", false), std::nullopt);
}

// Stored widths are the control browser's to test.
TEST(ControlListColumns, DefaultWidths) {
    MemoryProfileStore store;
    EXPECT_EQ(LoadColumnWidths(store), (ControlListWidths{50, 220, 220, 100}));
}

}  // namespace
}  // namespace qrv
