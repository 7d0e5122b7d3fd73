#include "platform/freedesktop/shortcut_trigger.h"

#include <xkbcommon/xkbcommon.h>

#include <array>

#include "core/desktop/global_hot_keys.h"
#include "platform/freedesktop/virtual_key_map.h"

namespace qrv {
namespace {

struct ModifierName {
    uint32_t flag;
    const char* name;
};
constexpr std::array<ModifierName, 4> kModifiers{{
    {hot_key_mod::kControl, "CTRL"},
    {hot_key_mod::kAlt, "ALT"},
    {hot_key_mod::kShift, "SHIFT"},
    {hot_key_mod::kWin, "LOGO"},
}};

}  // namespace

std::string ShortcutTrigger(uint32_t modifiers, uint32_t virtualKey) {
    const uint32_t keySym = KeySymFromVirtualKey(virtualKey & 0xFFFF);
    std::array<char, 64> name{};
    if (keySym == 0 || xkb_keysym_get_name(keySym, name.data(), name.size()) <= 0) {
        return {};
    }
    std::string trigger;
    for (const ModifierName& m : kModifiers) {
        if (modifiers & m.flag) {
            trigger += m.name;
            trigger += '+';
        }
    }
    return trigger + name.data();
}

}  // namespace qrv
