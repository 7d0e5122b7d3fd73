#include "platform/x11/x_keyboard_injector.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "core/input/key_names.h"
#include "platform/x11/x_borrowed_key.h"
#include "platform/x11/x_display.h"
#include "platform/x11/x_keyboard_map.h"

namespace qrv {
namespace {

using ModifierMapPtr = std::unique_ptr<XModifierKeymap, decltype(&XFreeModifiermap)>;

// The modifier keys held down now (with the modifiers they set) and a key
// that sets Shift.
struct Modifiers {
    std::map<uint8_t, unsigned> held;
    uint8_t shiftKey = 0;
};

Modifiers ReadModifiers(Display* display) {
    Modifiers modifiers;
    const ModifierMapPtr map(XGetModifierMapping(display), &XFreeModifiermap);
    char down[32] = {};
    XQueryKeymap(display, down);
    for (int mod = 0; map && mod < 8; ++mod) {
        for (int i = 0; i < map->max_keypermod; ++i) {
            const uint8_t key = map->modifiermap[mod * map->max_keypermod + i];
            if (key != 0 && mod == ShiftMapIndex && modifiers.shiftKey == 0) {
                modifiers.shiftKey = key;
            }
            if (key != 0 && (down[key / 8] >> (key % 8)) & 1) {
                modifiers.held[key] |= 1u << mod;
            }
        }
    }
    return modifiers;
}

std::string CodePointName(char32_t codePoint) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", unsigned(codePoint));
    return name;
}

std::string KeysymName(uint32_t keysym) {
    if (const char* name = XKeysymToString(keysym)) {
        return name;
    }
    char name[24];
    std::snprintf(name, sizeof name, "keysym 0x%X", unsigned(keysym));
    return name;
}

}  // namespace

XKeyboardInjector::XKeyboardInjector(const std::string& displayName)
    : m_display(XDisplay::Open(displayName)) {
    int event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion, opcode = 0;
    if (m_display &&
        (!XTestQueryExtension(m_display->Get(), &event, &error, &major, &minor) ||
         !XkbQueryExtension(m_display->Get(), &opcode, &event, &error, &major, &minor))) {
        m_display.reset();
    }
}

// Keys left pressed are released, and borrowed keys given back.
XKeyboardInjector::~XKeyboardInjector() {
    for (const auto& [keysym, held] : m_held) {
        FakeKey(held.keycode, false);
    }
    if (m_display) {
        m_display->Sync();
    }
}

void XKeyboardInjector::Key(uint32_t keysym, bool down) {
    std::lock_guard lock(m_mutex);
    if (down) {
        Press(keysym);
    } else {
        Release(keysym);
    }
    m_display->Sync();
}

void XKeyboardInjector::Type(char32_t codePoint) {
    std::lock_guard lock(m_mutex);
    const std::optional<uint32_t> keysym = KeysymForCodePoint(codePoint);
    if (!keysym) {
        throw std::runtime_error("cannot type " + CodePointName(codePoint));
    }
    const XKeyboardMap map = ReadMap();
    if (auto stroke = map.StrokeOf(*keysym)) {
        Strike(stroke->keycode, stroke->shift);
        return;
    }
    // Given back when it goes out of scope, after the focused client saw it.
    const std::unique_ptr<XBorrowedKey> borrowed = Borrow(map, *keysym, CodePointName(codePoint));
    const std::optional<XKeyboardMap::Stroke> stroke = ReadMap().StrokeOf(*keysym);
    if (!stroke) {
        throw std::runtime_error("the X server did not map a spare key to " +
                                 CodePointName(codePoint));
    }
    Strike(stroke->keycode, stroke->shift);
}

void XKeyboardInjector::Press(uint32_t keysym) {
    if (auto repeated = m_held.find(keysym); repeated != m_held.end()) {
        FakeKey(repeated->second.keycode, true);  // pressed again, as when a key repeats
        return;
    }
    const XKeyboardMap map = ReadMap();
    HeldKey held;
    if (auto key = map.KeyOf(keysym)) {
        held.keycode = *key;
    } else {
        held.borrowed = Borrow(map, keysym, KeysymName(keysym));
        held.keycode = held.borrowed->Keycode();
    }
    FakeKey(held.keycode, true);
    m_held.emplace(keysym, std::move(held));
}

void XKeyboardInjector::Release(uint32_t keysym) {
    if (auto held = m_held.find(keysym); held != m_held.end()) {
        FakeKey(held->second.keycode, false);
        m_display->Sync();
        m_held.erase(held);
    } else if (auto key = ReadMap().KeyOf(keysym)) {
        FakeKey(*key, false);  // held by someone else
    }
}

// One press and release with exactly the modifiers the character needs: held
// modifier keys are let go of for the moment, Shift added when needed. Lock
// keys stay: pressing them again would toggle them.
void XKeyboardInjector::Strike(uint8_t keycode, bool shift) {
    Display* display = m_display->Get();
    const Modifiers modifiers = ReadModifiers(display);
    const unsigned kept = LockMask | XkbKeysymToModifiers(display, XK_Num_Lock);
    std::vector<uint8_t> lifted;
    bool shiftHeld = false;
    for (const auto& [key, mask] : modifiers.held) {
        if (shift && (mask & ShiftMask)) {
            shiftHeld = true;
        } else if (!(mask & kept)) {
            lifted.push_back(key);
        }
    }
    const uint8_t shiftKey = shift && !shiftHeld ? modifiers.shiftKey : 0;
    for (uint8_t key : lifted) {
        FakeKey(key, false);
    }
    if (shiftKey != 0) {
        FakeKey(shiftKey, true);
    }
    FakeKey(keycode, true);
    FakeKey(keycode, false);
    if (shiftKey != 0) {
        FakeKey(shiftKey, false);
    }
    for (auto key = lifted.rbegin(); key != lifted.rend(); ++key) {
        FakeKey(*key, true);
    }
    m_display->Sync();
}

XKeyboardMap XKeyboardInjector::ReadMap() const {
    if (!m_display) {
        throw std::runtime_error("the X server cannot synthesise keys (no XTEST or XKEYBOARD)");
    }
    std::optional<XKeyboardMap> map = XKeyboardMap::Read(m_display->Get());
    if (!map) {
        throw std::runtime_error("the X server did not describe its keyboard");
    }
    return std::move(*map);
}

std::unique_ptr<XBorrowedKey> XKeyboardInjector::Borrow(const XKeyboardMap& map, uint32_t keysym,
                                                        const std::string& what) const {
    const std::optional<uint8_t> spare = map.SpareKey();
    if (!spare) {
        throw std::runtime_error("the keyboard has no key for " + what +
                                 " and no spare key to map to it");
    }
    return std::make_unique<XBorrowedKey>(m_display->Get(), *spare, keysym);
}

void XKeyboardInjector::FakeKey(uint8_t keycode, bool down) const {
    XTestFakeKeyEvent(m_display->Get(), keycode, down, CurrentTime);
}

}  // namespace qrv
