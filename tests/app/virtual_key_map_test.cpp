#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <set>

#include "app/widgets/qt_key_map.h"
#include "platform/freedesktop/virtual_key_map.h"

namespace qrv {
namespace {

// The virtual keys a stored hot key may hold: page up/down, end, home,
// arrows, digits, letters, keypad and F1-F24 besides the single keys.
std::set<uint32_t> StorableKeys() {
    std::set<uint32_t> keys{0x08, 0x09, 0x0D, 0x13, 0x1B, 0x20, 0x2C, 0x2D, 0x2E, 0x91, 0xBA,
                            0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xDB, 0xDC, 0xDD, 0xDE};
    for (auto [from, to] : {std::pair{0x21u, 0x28u},
                            {0x30u, 0x39u},
                            {0x41u, 0x5Au},
                            {0x60u, 0x6Fu},
                            {0x70u, 0x87u}}) {
        for (uint32_t k = from; k <= to; ++k)
            keys.insert(k);
    }
    return keys;
}

TEST(VirtualKeyMap, EveryStorableKeyRoundTripsThroughKeySymsAndQtKeys) {
    std::set<uint32_t> keySyms;
    std::set<int> qtKeys;
    for (uint32_t vk : StorableKeys()) {
        SCOPED_TRACE(vk);
        uint32_t keySym = KeySymFromVirtualKey(vk);
        ASSERT_NE(keySym, 0u);
        EXPECT_EQ(VirtualKeyFromKeySym(keySym), vk);
        EXPECT_TRUE(keySyms.insert(keySym).second) << "keysym used twice";

        QKeyCombination qt = QtKeyFromVirtualKey(vk);
        ASSERT_NE(qt.key(), Qt::Key_unknown);
        EXPECT_EQ(VirtualKeyFromQtKey(qt), vk);
        EXPECT_TRUE(qtKeys.insert(qt.toCombined()).second) << "Qt key used twice";
    }
    std::set<uint32_t> tabled;
    for (const VirtualKeyMapping& m : VirtualKeyMappings())
        tabled.insert(m.virtualKey);
    EXPECT_EQ(tabled, StorableKeys());
}

TEST(VirtualKeyMap, NamedKeysMapToTheirCounterparts) {
    struct Case {
        uint32_t vk;
        uint32_t keySym;
        QKeyCombination qt;
    };
    const Case cases[] = {
        {0x41, XK_a, Qt::Key_A},
        {0x5A, XK_z, Qt::Key_Z},
        {0x30, XK_0, Qt::Key_0},
        {0x60, XK_KP_0, QKeyCombination(Qt::KeypadModifier, Qt::Key_0)},
        {0x6F, XK_KP_Divide, QKeyCombination(Qt::KeypadModifier, Qt::Key_Slash)},
        {0x70, XK_F1, Qt::Key_F1},
        {0x87, XK_F24, Qt::Key_F24},
        {0x21, XK_Prior, Qt::Key_PageUp},
        {0x2C, XK_Print, Qt::Key_Print},
        {0xBA, XK_semicolon, Qt::Key_Semicolon},
        {0xBB, XK_equal, Qt::Key_Equal},
        {0xC0, XK_grave, Qt::Key_QuoteLeft},
        {0xDE, XK_apostrophe, Qt::Key_Apostrophe},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vk);
        EXPECT_EQ(KeySymFromVirtualKey(c.vk), c.keySym);
        EXPECT_EQ(QtKeyFromVirtualKey(c.vk), c.qt);
    }
}

TEST(VirtualKeyMap, AliasesAndUnknownKeys) {
    EXPECT_EQ(VirtualKeyFromKeySym(XK_Q), 0x51u);  // upper case letters too
    EXPECT_EQ(VirtualKeyFromKeySym(XK_Shift_L), 0u);
    EXPECT_EQ(KeySymFromVirtualKey(0x10), 0u);  // a bare modifier is no hot key
    EXPECT_EQ(KeySymFromVirtualKey(0xFF), 0u);
    EXPECT_EQ(VirtualKeyFromQtKey(QKeyCombination(Qt::ControlModifier, Qt::Key_K)), 0x4Bu);
    EXPECT_EQ(VirtualKeyFromQtKey(QKeyCombination(Qt::KeypadModifier, Qt::Key_Enter)), 0x0Du);
    EXPECT_EQ(VirtualKeyFromQtKey(QKeyCombination(Qt::KeypadModifier, Qt::Key_Home)), 0x24u);
    EXPECT_EQ(VirtualKeyFromQtKey(QKeyCombination(Qt::Key_Shift)), 0u);
    EXPECT_EQ(QtKeyFromVirtualKey(0xFF).key(), Qt::Key_unknown);
}

}  // namespace
}  // namespace qrv
