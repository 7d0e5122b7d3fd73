#include "platform/wayland_client/layout_keysyms.h"

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>
#include <string>

namespace qrv {
namespace {

// The keymap of these layouts as a compositor sends it.
LayoutKeysyms LayoutsOf(const char* layouts) {
    const std::unique_ptr<xkb_context, void (*)(xkb_context*)> context(
        xkb_context_new(XKB_CONTEXT_NO_FLAGS), &xkb_context_unref);
    const xkb_rule_names names{nullptr, nullptr, layouts, nullptr, nullptr};
    const std::unique_ptr<xkb_keymap, void (*)(xkb_keymap*)> keymap(
        xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS),
        &xkb_keymap_unref);
    const std::unique_ptr<char, void (*)(void*)> text(
        xkb_keymap_get_as_string(keymap.get(), XKB_KEYMAP_FORMAT_TEXT_V1), &free);
    return LayoutKeysyms(text.get());
}

TEST(LayoutKeysyms, ReachesWhatEveryLayoutTypesWithShiftOrAltGr) {
    const LayoutKeysyms us = LayoutsOf("us"), de = LayoutsOf("de"), both = LayoutsOf("us,de");
    // keysym, then whether "us", "de" and "us,de" reach it; "@" is AltGr+Q in German.
    const uint32_t cases[][4] = {{XKB_KEY_a, 1, 1, 1},           {XKB_KEY_A, 1, 1, 1},
                                 {XKB_KEY_udiaeresis, 0, 1, 0},  {XKB_KEY_at, 1, 1, 1},
                                 {XKB_KEY_Greek_OMEGA, 0, 0, 0}, {XKB_KEY_Return, 1, 1, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(us.Reaches(c[0]), c[1] != 0) << c[0];
        EXPECT_EQ(de.Reaches(c[0]), c[2] != 0) << c[0];
        EXPECT_EQ(both.Reaches(c[0]), c[3] != 0) << c[0];
    }
    // A keymap that does not compile leaves the desktop to find every key.
    EXPECT_TRUE(LayoutKeysyms("xkb_keymap {").Reaches(XKB_KEY_Greek_OMEGA));
}

}  // namespace
}  // namespace qrv
