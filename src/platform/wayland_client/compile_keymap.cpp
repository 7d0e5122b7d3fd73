#include "platform/wayland_client/compile_keymap.h"

#include <xkbcommon/xkbcommon.h>

namespace qrv {
namespace {

struct ContextDeleter {
    void operator()(xkb_context* context) const { xkb_context_unref(context); }
};

}  // namespace

void XkbKeymapDeleter::operator()(xkb_keymap* keymap) const {
    xkb_keymap_unref(keymap);
}

std::unique_ptr<xkb_keymap, XkbKeymapDeleter> CompileKeymap(const std::string& text) {
    const std::unique_ptr<xkb_context, ContextDeleter> context(xkb_context_new(
        xkb_context_flags(XKB_CONTEXT_NO_DEFAULT_INCLUDES | XKB_CONTEXT_NO_ENVIRONMENT_NAMES)));
    if (!context || text.empty()) {
        return nullptr;
    }
    // A keymap that does not compile is left out without a word.
    xkb_context_set_log_level(context.get(), XKB_LOG_LEVEL_CRITICAL);
    // The keymap keeps the context it needs.
    std::unique_ptr<xkb_keymap, XkbKeymapDeleter> keymap(xkb_keymap_new_from_string(
        context.get(), text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (keymap && xkb_keymap_num_layouts(keymap.get()) == 0) {
        keymap.reset();
    }
    return keymap;
}

}  // namespace qrv
