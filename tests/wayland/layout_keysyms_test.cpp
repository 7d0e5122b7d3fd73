#include "platform/wayland_client/layout_keysyms.h"

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

#include "keymap_of_layouts.h"

namespace qrv {
namespace {

TEST(LayoutKeysyms, ReachesWhatEveryLayoutTypesWithShiftOrAltGr) {
    const LayoutKeysyms us(KeymapOfLayouts("us")), de(KeymapOfLayouts("de")),
        both(KeymapOfLayouts("us,de"));
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
