#include "platform/x11/x_keyboard_map.h"

#include <X11/XKBlib.h>

namespace qrv {

std::optional<XKeyboardMap> XKeyboardMap::Read(Display* display) {
    XkbKeyboardPtr keyboard(XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd));
    XkbStateRec state{};
    if (!keyboard || XkbGetState(display, XkbUseCoreKbd, &state) != Success) {
        return std::nullopt;
    }
    return XKeyboardMap(std::move(keyboard), state.group, state.locked_mods);
}

XKeyboardMap::XKeyboardMap(XkbKeyboardPtr keyboard, unsigned group, unsigned lockedMods)
    : m_keyboard(std::move(keyboard)), m_group(group), m_lockedMods(lockedMods) {}

std::optional<uint8_t> XKeyboardMap::KeyOf(uint32_t keysym) const {
    return Find(keysym, 0);
}

std::optional<XKeyboardMap::Stroke> XKeyboardMap::StrokeOf(uint32_t keysym) const {
    if (auto key = Find(keysym, m_lockedMods)) {
        return Stroke{*key, false};
    }
    if (auto key = Find(keysym, m_lockedMods | ShiftMask)) {
        return Stroke{*key, true};
    }
    return std::nullopt;
}

std::optional<uint8_t> XKeyboardMap::SpareKey() const {
    // From the top: the low codes are the ones keyboards actually send.
    for (int key = m_keyboard->max_key_code; key >= m_keyboard->min_key_code; --key) {
        if (XkbKeyNumSyms(m_keyboard.get(), key) == 0) {
            return uint8_t(key);
        }
    }
    return std::nullopt;
}

// The key that makes `keysym` when the modifiers `mods` are in effect.
std::optional<uint8_t> XKeyboardMap::Find(uint32_t keysym, unsigned mods) const {
    const unsigned state = XkbBuildCoreState(mods, m_group);
    for (int key = m_keyboard->min_key_code; key <= m_keyboard->max_key_code; ++key) {
        unsigned consumed = 0;
        KeySym made = NoSymbol;
        if (XkbTranslateKeyCode(m_keyboard.get(), KeyCode(key), state, &consumed, &made) &&
            made == keysym) {
            return uint8_t(key);
        }
    }
    return std::nullopt;
}

}  // namespace qrv
