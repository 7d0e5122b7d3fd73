#include "platform/wayland/wayland_keyboard_injector.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "core/input/key_names.h"
#include "platform/settings/file_descriptor.h"
#include "platform/wayland_client/compositor_keymap.h"
#include "platform/wayland_client/wayland_display.h"
#include "wayland/virtual-keyboard-unstable-v1-client.h"

namespace qrv {
namespace {

// How long the compositor may take to answer, however busy the machine.
constexpr int kAnswerMs = 10000;

uint32_t NowMs() {
    return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count());
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno != EINTR) {
            return false;
        }
        if (written > 0) {
            data += written;
            size -= std::size_t(written);
        }
    }
    return true;
}

// "U+00E9" for a character, "0x1008ff13" for a keysym.
std::string Hex(const char* format, uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, format, unsigned(value));
    return text;
}

}  // namespace

WaylandKeyboardInjector::WaylandKeyboardInjector(const std::string& displayName)
    : m_display(WaylandDisplay::Open(displayName)) {
    if (!m_display || !m_display->Seat()) {
        return;
    }
    auto* manager = static_cast<zwp_virtual_keyboard_manager_v1*>(
        m_display->Bind(zwp_virtual_keyboard_manager_v1_interface, 1));
    if (!manager) {
        return;
    }
    m_keyboard =
        zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(manager, m_display->Seat());
    zwp_virtual_keyboard_manager_v1_destroy(manager);
    // The seat's keymap is read once this keyboard is there: a seat with no
    // keyboard in use may take it as one, with the layout the user set up
    // (sway does).
    m_display->Sync(kAnswerMs);
    m_keymap = VirtualKeymap(CompositorKeymap(*m_display));
    m_keymap.TakeChange();
    // A compositor that refuses virtual keyboards ends the connection.
    if (!SendKeymap() || !m_display->Sync(kAnswerMs)) {
        zwp_virtual_keyboard_v1_destroy(m_keyboard);
        m_keyboard = nullptr;
    }
}

WaylandKeyboardInjector::~WaylandKeyboardInjector() {
    if (!m_keyboard) {
        return;
    }
    // Nothing this program pressed stays down.
    for (uint32_t keysym : m_held) {
        if (std::optional<uint32_t> code = m_keymap.KeyFor(keysym, m_held)) {
            SendKey(*code, false);
        }
    }
    if (!m_held.empty()) {
        SendModifiers(0);
    }
    zwp_virtual_keyboard_v1_destroy(m_keyboard);
    m_display->Sync(kAnswerMs);
}

void WaylandKeyboardInjector::Key(uint32_t keysym, bool down) {
    if (!m_keyboard) {
        return;
    }
    std::lock_guard lock(m_mutex);
    m_display->DispatchArrived();
    const uint32_t code = KeyOf(keysym);
    std::erase(m_held, keysym);
    if (down) {
        m_held.push_back(keysym);
    }
    SendKey(code, down);
    if (VirtualKeymap::ModifierMask(keysym) != 0) {
        SendModifiers(HeldModifiers());
    }
    Settle();
}

// The modifiers this program holds are let go around the key, so that the
// character arrives rather than a shortcut.
void WaylandKeyboardInjector::Type(char32_t codePoint) {
    if (!m_keyboard) {
        return;
    }
    const std::optional<uint32_t> keysym = KeysymForCodePoint(codePoint);
    if (!keysym) {
        throw std::runtime_error("cannot type the character " + Hex("U+%04X", codePoint));
    }
    std::lock_guard lock(m_mutex);
    m_display->DispatchArrived();
    const uint32_t code = KeyOf(*keysym);
    const uint32_t held = HeldModifiers();
    if (held != 0) {
        SendModifiers(0);
    }
    SendKey(code, true);
    SendKey(code, false);
    if (held != 0) {
        SendModifiers(held);
    }
    Settle();
}

uint32_t WaylandKeyboardInjector::KeyOf(uint32_t keysym) {
    const std::optional<uint32_t> code = m_keymap.KeyFor(keysym, m_held);
    if (!code) {
        throw std::runtime_error("the virtual keyboard has no key for keysym " +
                                 Hex("0x%x", keysym));
    }
    // Requests are handled in order: the keymap is in place before the key.
    if (m_keymap.TakeChange() && !SendKeymap()) {
        throw std::runtime_error("cannot hand the compositor a keyboard map");
    }
    return *code;
}

// The compositor maps the file; the connection sends a copy of the
// descriptor, so this one may close at once.
bool WaylandKeyboardInjector::SendKeymap() {
    const std::string text = m_keymap.Text();
    FileDescriptor file(memfd_create("quorvane-keymap", MFD_CLOEXEC));
    if (!file.IsOpen() || !WriteAll(file.Get(), text.c_str(), text.size() + 1)) {
        return false;
    }
    zwp_virtual_keyboard_v1_keymap(m_keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, file.Get(),
                                   uint32_t(text.size() + 1));
    // Clients start a new keymap without modifiers, and the compositor passes
    // on only changes: held ones are cleared and set again.
    if (const uint32_t held = HeldModifiers(); held != 0) {
        SendModifiers(0);
        SendModifiers(held);
    }
    return true;
}

void WaylandKeyboardInjector::SendKey(uint32_t code, bool down) {
    zwp_virtual_keyboard_v1_key(
        m_keyboard, NowMs(), code,
        down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
}

void WaylandKeyboardInjector::SendModifiers(uint32_t mask) {
    zwp_virtual_keyboard_v1_modifiers(m_keyboard, mask, 0, 0, 0);
}

uint32_t WaylandKeyboardInjector::HeldModifiers() const {
    uint32_t mask = 0;
    for (uint32_t keysym : m_held) {
        mask |= VirtualKeymap::ModifierMask(keysym);
    }
    return mask;
}

void WaylandKeyboardInjector::Settle() {
    if (!m_display->Sync(kAnswerMs)) {
        throw std::runtime_error("the compositor did not take the keyboard input");
    }
}

}  // namespace qrv
