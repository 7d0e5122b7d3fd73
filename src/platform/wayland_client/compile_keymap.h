#pragma once

#include <memory>
#include <string>

struct xkb_keymap;

namespace qrv {

struct XkbKeymapDeleter {
    void operator()(xkb_keymap* keymap) const;
};

// A keymap in XKB text format, as a compositor sends it, compiled on its own
// (no include paths or names from the environment); null when it does not
// compile or has no layout.
std::unique_ptr<xkb_keymap, XkbKeymapDeleter> CompileKeymap(const std::string& text);

}  // namespace qrv
