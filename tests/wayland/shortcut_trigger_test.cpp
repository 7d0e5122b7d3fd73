#include "platform/freedesktop/shortcut_trigger.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/desktop/global_hot_keys.h"
#include "platform/freedesktop/virtual_key_map.h"

namespace qrv {
namespace {

TEST(ShortcutTrigger, StoredKeysReadInThePortalsSyntax) {
    using namespace hot_key_mod;
    struct Case {
        uint32_t modifiers;
        uint32_t virtualKey;
        const char* trigger;
    };
    const Case cases[] = {
        {kControl | kShift, 0x78, "CTRL+SHIFT+F9"},
        {0, 0x7B, "F12"},
        {kAlt | kWin, 0x41, "ALT+LOGO+a"},
        {kWin | kShift | kAlt | kControl, 0x30, "CTRL+ALT+SHIFT+LOGO+0"},
        {kControl, 0x21, "CTRL+Prior"},
        {0, 0x6B, "KP_Add"},
        {kShift, 0xDE, "SHIFT+apostrophe"},
        {kControl, 0x10078, "CTRL+F9"},  // flags above the key's 16 bits
        {kControl, 0x07, ""},            // no such key
        {kControl, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trigger);
        EXPECT_EQ(ShortcutTrigger(c.modifiers, c.virtualKey), c.trigger);
    }
}

// Every storable key has a name, and no two keys share one.
TEST(ShortcutTrigger, EveryStorableKeyHasItsOwnName) {
    std::set<std::string> names;
    for (const VirtualKeyMapping& m : VirtualKeyMappings()) {
        const std::string name = ShortcutTrigger(0, m.virtualKey);
        EXPECT_FALSE(name.empty()) << m.virtualKey;
        EXPECT_EQ(name.find('+'), std::string::npos) << name;
        EXPECT_TRUE(names.insert(name).second) << name;
    }
}

}  // namespace
}  // namespace qrv
