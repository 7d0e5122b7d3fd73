#include "platform/wayland/virtual_keymap.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace qrv
