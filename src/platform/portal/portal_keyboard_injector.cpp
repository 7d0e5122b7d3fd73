#include "platform/portal/portal_keyboard_injector.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "core/input/key_names.h"

namespace qrv {
namespace {

constexpr uint32_t kReleased = 0;
constexpr uint32_t kPressed = 1;

// Keys that change what other keys type while held; the locks toggle
// instead and are left alone.
bool IsHeldModifier(uint32_t keysym) {
    return (keysym >= XKB_KEY_Shift_L && keysym <= XKB_KEY_Hyper_R && keysym != XKB_KEY_Caps_Lock &&
            keysym != XKB_KEY_Shift_Lock) ||
           keysym == XKB_KEY_ISO_Level3_Shift;
}

}  // namespace

PortalKeyboardInjector::PortalKeyboardInjector(std::shared_ptr<PortalSession> session,
                                               LayoutKeysyms layout)
    : m_session(std::move(session)), m_layout(std::move(layout)) {}

void PortalKeyboardInjector::Key(uint32_t keysym, bool down) {
    std::lock_guard lock(m_mutex);
    Send(keysym, down);
    if (!IsHeldModifier(keysym)) {
        return;
    }
    std::erase(m_heldModifiers, keysym);
    if (down) {
        m_heldModifiers.push_back(keysym);
    }
}

void PortalKeyboardInjector::Type(char32_t codePoint) {
    const std::optional<uint32_t> keysym = KeysymForCodePoint(codePoint);
    if (!keysym) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", uint32_t(codePoint));
        throw std::runtime_error(std::string("cannot type the character ") + code);
    }
    std::lock_guard lock(m_mutex);
    for (auto held = m_heldModifiers.rbegin(); held != m_heldModifiers.rend(); ++held) {
        Send(*held, false);
    }
    if (m_layout.Reaches(*keysym)) {
        Tap(*keysym);
    } else {
        TypeByCode(codePoint);
    }
    for (uint32_t held : m_heldModifiers) {
        Send(held, true);
    }
}

void PortalKeyboardInjector::TypeByCode(char32_t codePoint) {
    Send(XKB_KEY_Control_L, true);
    Send(XKB_KEY_Shift_L, true);
    Tap(XKB_KEY_u);
    Send(XKB_KEY_Shift_L, false);
    Send(XKB_KEY_Control_L, false);
    char hex[16];
    const int length = std::snprintf(hex, sizeof hex, "%x", uint32_t(codePoint));
    std::for_each(hex, hex + length, [this](char digit) { Tap(uint32_t(digit)); });
    Tap(XKB_KEY_space);
}

void PortalKeyboardInjector::Tap(uint32_t keysym) {
    Send(keysym, true);
    Send(keysym, false);
}

void PortalKeyboardInjector::Send(uint32_t keysym, bool down) {
    if (!m_session->Notify("NotifyKeyboardKeysym",
                           {int32_t(keysym), down ? kPressed : kReleased})) {
        throw std::runtime_error(
            "the desktop did not take keyboard input (was remote interaction allowed?)");
    }
}

}  // namespace qrv
