#include "platform/wayland/virtual_keymap.h"

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <map>
#include <string>

#include "keymap_of_layouts.h"
#include "platform/wayland_client/layout_keys.h"

namespace qrv {
namespace {

// Far more keysyms than keys: held keysyms and a US keyboard's keysyms keep
// their codes throughout, and no other keysym takes one of them.
TEST(VirtualKeymap, GivesEachKeysymAKeyOfItsOwn) {
    VirtualKeymap keymap;
    const std::vector<uint32_t> held{0xffe3, 0x0100263a};  // Control_L and a smiley
    const uint32_t smiley = *keymap.KeyFor(held[1], {});
    const std::pair<uint32_t, uint32_t> usKeys[] = {{0xffe3, 29}, {0x31, 2},     {0x61, 30},
                                                    {0x5c, 43},   {0x2f, 53},    {0x20, 57},
                                                    {0xffc9, 88}, {0xffff, 111}, {0xff67, 127}};
    for (uint32_t keysym = 0x01000400; keysym < 0x01000400 + 1000; ++keysym) {
        const std::optional<uint32_t> code = keymap.KeyFor(keysym, held);
        ASSERT_TRUE(code && *code <= VirtualKeymap::kMaxCode && *code != smiley) << keysym;
        for (auto [usKeysym, usCode] : usKeys) {
            ASSERT_NE(*code, usCode) << keysym;
        }
        ASSERT_TRUE(keymap.TakeChange());
        ASSERT_EQ(keymap.KeyFor(keysym, held), code);
        ASSERT_FALSE(keymap.TakeChange());
    }
    EXPECT_EQ(keymap.KeyFor(held[1], held), smiley);
    for (auto [usKeysym, usCode] : usKeys) {
        EXPECT_EQ(keymap.KeyFor(usKeysym, held), usCode) << usKeysym;
    }
}

// Keysyms a layout makes on a key's plain level are pressed on that key, with
// its Shift level as second level; others take spare codes, which never
// displace a layout key and are no part of the layout when a keymap of ours
// comes back from the compositor. Without a layout, a US keyboard's keys.
TEST(VirtualKeymap, PressesTheKeysOfTheLayout) {
    const std::string de = KeymapOfLayouts("de");
    VirtualKeymap ours(de);
    ours.KeyFor(XKB_KEY_Greek_OMEGA, {});
    const std::map<std::string, std::string> layouts{{"none", ""},
                                                     {"broken", "xkb_keymap {"},
                                                     {"de", de},
                                                     {"fr", KeymapOfLayouts("fr")},
                                                     {"ours", KeymapAsSent(ours.Text())}};
    struct Case {
        const char* layout;
        uint32_t keysym;
        uint32_t code;  // 0: a spare one
        uint32_t shifted;
    };
    // Per layout in order, spare keysyms first.
    const Case cases[] = {
        {"none", XKB_KEY_z, 44, XKB_KEY_Z},      {"none", XKB_KEY_1, 2, XKB_KEY_exclam},
        {"broken", XKB_KEY_y, 21, XKB_KEY_Y},    {"de", XKB_KEY_Greek_OMEGA, 0, 0},
        {"de", XKB_KEY_asciicircum, 0, 0},       {"de", XKB_KEY_z, 21, XKB_KEY_Z},
        {"de", XKB_KEY_y, 44, XKB_KEY_Y},        {"de", XKB_KEY_udiaeresis, 26, XKB_KEY_Udiaeresis},
        {"de", XKB_KEY_2, 3, XKB_KEY_quotedbl},  {"de", XKB_KEY_Control_L, 29, 0},
        {"fr", XKB_KEY_a, 16, XKB_KEY_A},        {"fr", XKB_KEY_q, 30, XKB_KEY_Q},
        {"fr", XKB_KEY_ampersand, 2, XKB_KEY_1}, {"fr", XKB_KEY_Alt_L, 56, XKB_KEY_Meta_L},
        {"ours", XKB_KEY_Greek_OMEGA, 0, 0},     {"ours", XKB_KEY_z, 21, XKB_KEY_Z}};
    std::map<std::string, VirtualKeymap> keymaps;
    for (const auto& [name, text] : layouts) {
        keymaps.emplace(name, VirtualKeymap(text));
        keymaps.at(name).TakeChange();
    }
    for (const Case& c : cases) {
        VirtualKeymap& keymap = keymaps.at(c.layout);
        const std::optional<uint32_t> code = keymap.KeyFor(c.keysym, {});
        ASSERT_TRUE(code) << c.layout << " " << c.keysym;
        EXPECT_EQ(keymap.TakeChange(), c.code == 0) << c.layout << " " << c.keysym;
        if (c.code != 0) {
            EXPECT_EQ(*code, c.code) << c.layout << " " << c.keysym;
        }
        const std::vector<LayoutKey> keys = LayoutKeysOf(KeymapAsSent(keymap.Text()));
        const auto key = std::find_if(keys.begin(), keys.end(),
                                      [&](const LayoutKey& k) { return k.code == *code; });
        ASSERT_NE(key, keys.end()) << c.layout << " " << c.keysym;
        EXPECT_EQ(key->plain, c.keysym) << c.layout;
        EXPECT_EQ(key->shifted, c.shifted) << c.layout << " " << c.keysym;
    }
}

}  // namespace
}  // namespace qrv
