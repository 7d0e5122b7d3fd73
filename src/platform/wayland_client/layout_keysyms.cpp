#include "platform/wayland_client/layout_keysyms.h"

#include <xkbcommon/xkbcommon.h>

#include <unordered_map>

#include "platform/wayland_client/compile_keymap.h"

namespace qrv {
namespace {

constexpr uint32_t kShiftLevel = 1;
constexpr uint32_t kAltGrLevel = 2;

// Each keysym of one layout with the level of its first key.
std::unordered_map<uint32_t, uint32_t> FirstLevels(xkb_keymap* keymap, xkb_layout_index_t layout) {
    std::unordered_map<uint32_t, uint32_t> levels;
    const xkb_keycode_t last = xkb_keymap_max_keycode(keymap);
    for (xkb_keycode_t key = xkb_keymap_min_keycode(keymap); key <= last; ++key) {
        const xkb_level_index_t count = xkb_keymap_num_levels_for_key(keymap, key, layout);
        for (xkb_level_index_t level = 0; level < count; ++level) {
            const xkb_keysym_t* syms = nullptr;
            const int n = xkb_keymap_key_get_syms_by_level(keymap, key, layout, level, &syms);
            for (int i = 0; i < n; ++i) {
                levels.emplace(syms[i], level);
            }
        }
    }
    return levels;
}

std::unordered_set<uint32_t> Reached(const std::unordered_map<uint32_t, uint32_t>& levels) {
    const auto altGr = levels.find(XKB_KEY_ISO_Level3_Shift);
    const uint32_t top = altGr != levels.end() && altGr->second == 0 ? kAltGrLevel : kShiftLevel;
    std::unordered_set<uint32_t> reached;
    for (const auto& [keysym, level] : levels) {
        if (level <= top) {
            reached.insert(keysym);
        }
    }
    return reached;
}

}  // namespace

LayoutKeysyms::LayoutKeysyms(const std::string& keymap) {
    const auto map = CompileKeymap(keymap);
    if (!map) {
        return;
    }
    m_reached = Reached(FirstLevels(map.get(), 0));
    for (xkb_layout_index_t layout = 1; layout < xkb_keymap_num_layouts(map.get()); ++layout) {
        const std::unordered_set<uint32_t> other = Reached(FirstLevels(map.get(), layout));
        std::erase_if(m_reached, [&](uint32_t keysym) { return !other.contains(keysym); });
    }
    m_known = true;
}

bool LayoutKeysyms::Reaches(uint32_t keysym) const {
    return !m_known || m_reached.contains(keysym);
}

}  // namespace qrv
