#pragma once

#include <xkbcommon/xkbcommon.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace qrv {

// A keymap written out whole, as a compositor sends it; empty for none.
inline std::string Written(xkb_keymap* keymap) {
    const std::unique_ptr<xkb_keymap, void (*)(xkb_keymap*)> owned(keymap, &xkb_keymap_unref);
    if (!keymap) {
        return {};
    }
    const std::unique_ptr<char, void (*)(void*)> text(
        xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1), &free);
    return text.get();
}

inline std::unique_ptr<xkb_context, void (*)(xkb_context*)> SystemXkb() {
    return {xkb_context_new(XKB_CONTEXT_NO_FLAGS), &xkb_context_unref};
}

// The keymap of these layouts ("de", "us,de") from the system's xkb files.
inline std::string KeymapOfLayouts(const char* layouts) {
    const xkb_rule_names names{nullptr, nullptr, layouts, nullptr, nullptr};
    return Written(
        xkb_keymap_new_from_names(SystemXkb().get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
}

// A keymap text as the compositor hands it back after taking it.
inline std::string KeymapAsSent(const std::string& text) {
    return Written(xkb_keymap_new_from_string(
        SystemXkb().get(), text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS));
}

}  // namespace qrv
