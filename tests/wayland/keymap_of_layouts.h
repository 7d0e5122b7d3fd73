#pragma once

#include <xkbcommon/xkbcommon.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace qrv {

// Keymaps as a compositor sends them: compiled with the system's xkb files and
// written out whole. Empty when the keymap does not compile.
inline std::string KeymapAsSent(const xkb_rule_names* layouts, const std::string& text = {}) {
    const std::unique_ptr<xkb_context, void (*)(xkb_context*)> context(
        xkb_context_new(XKB_CONTEXT_NO_FLAGS), &xkb_context_unref);
    const std::unique_ptr<xkb_keymap, void (*)(xkb_keymap*)> keymap(
        layouts ? xkb_keymap_new_from_names(context.get(), layouts, XKB_KEYMAP_COMPILE_NO_FLAGS)
                : xkb_keymap_new_from_string(context.get(), text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                             XKB_KEYMAP_COMPILE_NO_FLAGS),
        &xkb_keymap_unref);
    if (!keymap) {
        return {};
    }
    const std::unique_ptr<char, void (*)(void*)> written(
        xkb_keymap_get_as_string(keymap.get(), XKB_KEYMAP_FORMAT_TEXT_V1), &free);
    return written.get();
}

// The keymap of these layouts ("de", "us,de").
inline std::string KeymapOfLayouts(const char* layouts) {
    const xkb_rule_names names{nullptr, nullptr, layouts, nullptr, nullptr};
    return KeymapAsSent(&names);
}

}  // namespace qrv
