#include "platform/win32/win32_keyboard_injector.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/input/key_names.h"
#include "platform/win32/virtual_key_table.h"

namespace qrv::win32 {

namespace {

std::string Hex(const char* format, uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, format, unsigned(value));
    return text;
}

constexpr uint32_t kUnicodeKeysymBase = 0x01000000;

// Modifier bits of VkKeyScanW's shift state and their keys, the left one
// first.
constexpr uint8_t kShift = 1, kControl = 2, kAlt = 4;
struct Modifier {
    uint8_t bit;
    WORD left;
    WORD right;
};
constexpr Modifier kModifiers[] = {{kShift, VK_LSHIFT, VK_RSHIFT},
                                   {kControl, VK_LCONTROL, VK_RCONTROL},
                                   {kAlt, VK_LMENU, VK_RMENU}};

INPUT KeyInput(VirtualKey key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key.code;
    input.ki.wScan = WORD(MapVirtualKeyW(key.code, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (key.extended ? KEYEVENTF_EXTENDEDKEY : 0) | (down ? 0 : KEYEVENTF_KEYUP);
    return input;
}

INPUT UnicodeInput(wchar_t unit, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = unit;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
    return input;
}

// All at once, so that no other input comes between them.
void Send(std::vector<INPUT> inputs) {
    const auto count = UINT(inputs.size());
    if (SendInput(count, inputs.data(), sizeof(INPUT)) != count) {
        throw std::runtime_error(
            "Windows blocked the key strokes (a program with more rights than this one may have "
            "the keyboard focus)");
    }
}

// The UTF-16 units of a character.
std::vector<wchar_t> Utf16(char32_t c) {
    if (c > 0x10ffff || (c >= 0xd800 && c <= 0xdfff)) {
        throw std::runtime_error(Hex("U+%04X", c) + " is not a character");
    }
    if (c < 0x10000) {
        return {wchar_t(c)};
    }
    c -= 0x10000;
    return {wchar_t(0xd800 + (c >> 10)), wchar_t(0xdc00 + (c & 0x3ff))};
}

std::vector<INPUT> UnicodeInputs(char32_t c, bool down) {
    std::vector<INPUT> inputs;
    for (wchar_t unit : Utf16(c)) {
        inputs.push_back(UnicodeInput(unit, down));
    }
    return inputs;
}

// The character a keysym types, if any: Latin-1 keysyms are their own code
// point, the Unicode range is offset.
std::optional<char32_t> CharacterOfKeysym(uint32_t keysym) {
    if ((keysym >= 0x20 && keysym < 0x7f) || (keysym >= 0xa0 && keysym <= 0xff)) {
        return char32_t(keysym);
    }
    if (keysym >= kUnicodeKeysymBase + 0x100 && keysym <= kUnicodeKeysymBase + 0x10ffff) {
        return char32_t(keysym - kUnicodeKeysymBase);
    }
    return std::nullopt;
}

// The key and modifier bits that type `c` in the keyboard layout; for ASCII
// letters and digits the key that bears them where the layout has none, as
// shortcuts name them so whatever the script.
std::optional<std::pair<VirtualKey, uint8_t>> LayoutKey(char32_t c) {
    const SHORT scan = c < 0x10000 ? VkKeyScanW(wchar_t(c)) : -1;
    const uint8_t modifiers = HIBYTE(scan);
    if (LOBYTE(scan) != 0xff && (modifiers & ~(kShift | kControl | kAlt)) == 0) {
        return std::pair{VirtualKey{LOBYTE(scan)}, modifiers};
    }
    if (c >= U'a' && c <= U'z') {
        return std::pair{VirtualKey{WORD(c - U'a' + 'A')}, uint8_t(0)};
    }
    if (c >= U'A' && c <= U'Z') {
        return std::pair{VirtualKey{WORD(c)}, kShift};
    }
    if (c >= U'0' && c <= U'9') {
        return std::pair{VirtualKey{WORD(c)}, uint8_t(0)};
    }
    return std::nullopt;
}

void AppendModifiers(std::vector<INPUT>& inputs, uint8_t bits, bool down) {
    for (const Modifier& m : kModifiers) {
        if (bits & m.bit) {
            inputs.push_back(KeyInput(VirtualKey{m.left}, down));
        }
    }
}

}  // namespace

void Win32KeyboardInjector::Key(uint32_t keysym, bool down) {
    if (const auto key = VirtualKeyForKeysym(keysym)) {
        Send({KeyInput(*key, down)});
        if (down) {
            m_heldKeys.insert(key->code);
        } else {
            m_heldKeys.erase(key->code);
        }
        return;
    }
    const std::optional<char32_t> character = CharacterOfKeysym(keysym);
    if (!character) {
        throw std::runtime_error("Windows has no key for keysym " + Hex("0x%x", keysym));
    }
    if (!PressLayoutKey(*character, down)) {
        Send(UnicodeInputs(*character, down));
    }
}

// Presses or releases the layout's key for `c`, adding the modifiers it needs
// that are not held already; false when the layout has no key for it.
bool Win32KeyboardInjector::PressLayoutKey(char32_t c, bool down) {
    const auto key = LayoutKey(c);
    if (!key) {
        return false;
    }
    std::vector<INPUT> inputs;
    if (down) {
        const uint8_t added = key->second & ~HeldModifiers();
        m_addedModifiers[c] = added;
        AppendModifiers(inputs, added, true);
        inputs.push_back(KeyInput(key->first, true));
    } else {
        inputs.push_back(KeyInput(key->first, false));
        AppendModifiers(inputs, m_addedModifiers[c], false);
        m_addedModifiers.erase(c);
    }
    Send(std::move(inputs));
    return true;
}

uint8_t Win32KeyboardInjector::HeldModifiers() const {
    uint8_t held = 0;
    for (const Modifier& m : kModifiers) {
        if (m_heldKeys.contains(m.left) || m_heldKeys.contains(m.right)) {
            held |= m.bit;
        }
    }
    return held;
}

void Win32KeyboardInjector::Type(char32_t codePoint) {
    // Line ends, tabs and the other controls a text holds press their keys.
    const std::optional<uint32_t> keysym = KeysymForCodePoint(codePoint);
    if (const auto key = keysym ? VirtualKeyForKeysym(*keysym) : std::nullopt) {
        Send({KeyInput(*key, true), KeyInput(*key, false)});
        return;
    }
    std::vector<INPUT> inputs = UnicodeInputs(codePoint, true);
    const std::vector<INPUT> ups = UnicodeInputs(codePoint, false);
    inputs.insert(inputs.end(), ups.begin(), ups.end());
    Send(std::move(inputs));
}

}  // namespace qrv::win32
