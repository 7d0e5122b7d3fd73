#include "platform/portal/layout_keysyms.h"

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>
#include <string>

namespace qrv {
namespace {

// The text of the keymap of these layouts (comma-separated), as a compositor sends it.
std::string KeymapOf(const char* layouts) {
    std::unique_ptr<xkb_context, void (*)(xkb_context*)> context(
        xkb_context_new(XKB_CONTEXT_NO_FLAGS), &xkb_context_unref);
    const xkb_rule_names names{nullptr, nullptr, layouts, nullptr, nullptr};
    std::unique_ptr<xkb_keymap, void (*)(xkb_keymap*)> keymap(
        xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS),
        &xkb_keymap_unref);
    std::unique_ptr<char, void (*)(void*)> text(
        xkb_keymap_get_as_string(keymap.get(), XKB_KEYMAP_FORMAT_TEXT_V1), &free);
    return text.get();
}

TEST(LayoutKeysyms, ReachesWhatEveryLayoutTypesWithShiftOrAltGr) {
    const LayoutKeysyms us(KeymapOf("us"));
    const LayoutKeysyms de(KeymapOf("de"));
    const LayoutKeysyms both(KeymapOf("us,de"));
    struct Case {
        uint32_t keysym;
        bool us, de, both;
    };
    const Case cases[] = {
        {XKB_KEY_a, true, true, true},
        {XKB_KEY_A, true, true, true},             // Shift
        {XKB_KEY_udiaeresis, false, true, false},  // only the German layout has it
        {XKB_KEY_at, true, true, true},            // AltGr+q in German
        {XKB_KEY_Greek_OMEGA, false, false, false},
        {XKB_KEY_Return, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keysym);
        EXPECT_EQ(us.Reaches(c.keysym), c.us);
        EXPECT_EQ(de.Reaches(c.keysym), c.de);
        EXPECT_EQ(both.Reaches(c.keysym), c.both);
    }
    // A keymap that does not compile leaves the desktop to find the key.
    EXPECT_FALSE(LayoutKeysyms("xkb_keymap {").Known());
    EXPECT_TRUE(LayoutKeysyms("xkb_keymap {").Reaches(XKB_KEY_Greek_OMEGA));
}

}  // namespace
}  // namespace qrv
