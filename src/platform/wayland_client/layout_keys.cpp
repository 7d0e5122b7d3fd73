#include "platform/wayland_client/layout_keys.h"

#include <xkbcommon/xkbcommon.h>

#include "platform/wayland_client/compile_keymap.h"

namespace qrv {
namespace {

constexpr uint32_t kEvdevOffset = 8;

// The one keysym of a key's level in the first layout; 0 for none, several
// or a level the key does not have.
uint32_t KeysymAt(xkb_keymap* keymap, xkb_keycode_t key, xkb_level_index_t level) {
    const xkb_keysym_t* syms = nullptr;
    return xkb_keymap_key_get_syms_by_level(keymap, key, 0, level, &syms) == 1 ? syms[0] : 0;
}

}  // namespace

std::vector<LayoutKey> LayoutKeysOf(const std::string& keymap) {
    const auto map = CompileKeymap(keymap);
    if (!map) {
        return {};
    }
    std::vector<LayoutKey> keys;
    const xkb_keycode_t last = xkb_keymap_max_keycode(map.get());
    for (xkb_keycode_t key = xkb_keymap_min_keycode(map.get()); key <= last; ++key) {
        const uint32_t plain = KeysymAt(map.get(), key, 0);
        const char* name = xkb_keymap_key_get_name(map.get(), key);
        if (key <= kEvdevOffset || plain == 0 || name == nullptr) {
            continue;
        }
        keys.push_back({key - kEvdevOffset, name, plain, KeysymAt(map.get(), key, 1)});
    }
    return keys;
}

}  // namespace qrv
