#include "platform/wayland/virtual_keymap.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <utility>

#include "platform/wayland_client/layout_keys.h"

namespace qrv {
namespace {

// Keysym values: none is below space, and they have 29 bits.
constexpr uint32_t kMinKeysym = 0x20;
constexpr uint32_t kMaxKeysym = 0x1fffffff;

struct Modifier {
    uint32_t keysym;
    uint32_t mask;
};

// Real modifier bits in xkb's fixed order: Shift, Lock, Control, Mod1 ... Mod5.
constexpr uint32_t kShift = 1u << 0;
constexpr uint32_t kControl = 1u << 2;
constexpr uint32_t kMod1 = 1u << 3;
constexpr uint32_t kMod4 = 1u << 6;
constexpr uint32_t kMod5 = 1u << 7;

constexpr std::array<Modifier, 13> kModifiers{{
    {0xffe1, kShift},    // Shift_L
    {0xffe2, kShift},    // Shift_R
    {0xffe3, kControl},  // Control_L
    {0xffe4, kControl},  // Control_R
    {0xffe7, kMod1},     // Meta_L
    {0xffe8, kMod1},     // Meta_R
    {0xffe9, kMod1},     // Alt_L
    {0xffea, kMod1},     // Alt_R
    {0xffeb, kMod4},     // Super_L
    {0xffec, kMod4},     // Super_R
    {0xffed, kMod4},     // Hyper_L
    {0xffee, kMod4},     // Hyper_R
    {0xfe03, kMod5},     // ISO_Level3_Shift
}};

// A US keyboard's keys, for a compositor whose own cannot be read.
struct StandardKey {
    uint32_t keysym;
    uint32_t code;
};

// Rows of character keys, unshifted and shifted: each row's keys have
// consecutive codes.
struct CharacterRow {
    const char* keys;
    const char* shifted;
    uint32_t first;
};
constexpr CharacterRow kCharacterRows[] = {{"1234567890-=", "!@#$%^&*()_+", 2},
                                           {"qwertyuiop[]", "QWERTYUIOP{}", 16},
                                           {"asdfghjkl;'`", "ASDFGHJKL:\"~", 30},
                                           {"\\zxcvbnm,./", "|ZXCVBNM<>?", 43}};

constexpr StandardKey kOtherKeys[] = {
    {0xff1b, 1},    // Escape
    {0xff08, 14},   // BackSpace
    {0xff09, 15},   // Tab
    {0xff0d, 28},   // Return
    {0xffe3, 29},   // Control_L
    {0xffe1, 42},   // Shift_L
    {0xffe2, 54},   // Shift_R
    {0xffe9, 56},   // Alt_L
    {0x0020, 57},   // space
    {0xffe5, 58},   // Caps_Lock
    {0xffbe, 59},   // F1
    {0xffbf, 60},   // F2
    {0xffc0, 61},   // F3
    {0xffc1, 62},   // F4
    {0xffc2, 63},   // F5
    {0xffc3, 64},   // F6
    {0xffc4, 65},   // F7
    {0xffc5, 66},   // F8
    {0xffc6, 67},   // F9
    {0xffc7, 68},   // F10
    {0xffc8, 87},   // F11
    {0xffc9, 88},   // F12
    {0xffe4, 97},   // Control_R
    {0xff61, 99},   // Print
    {0xffea, 100},  // Alt_R
    {0xff50, 102},  // Home
    {0xff52, 103},  // Up
    {0xff55, 104},  // Page_Up
    {0xff51, 105},  // Left
    {0xff53, 106},  // Right
    {0xff57, 107},  // End
    {0xff54, 108},  // Down
    {0xff56, 109},  // Page_Down
    {0xff63, 110},  // Insert
    {0xffff, 111},  // Delete
    {0xff13, 119},  // Pause
    {0xffeb, 125},  // Super_L
    {0xffec, 126},  // Super_R
    {0xff67, 127},  // Menu
};

bool IsKeysym(uint32_t keysym) {
    return keysym >= kMinKeysym && keysym <= kMaxKeysym;
}

// What a spare key is called, so that a keymap of ours read back from the
// compositor yields the layout it was made from.
std::string SpareName(uint32_t code) {
    return "S" + std::to_string(code);
}

std::string HexKeysym(uint32_t keysym) {
    std::array<char, 16> hex{};
    std::to_chars(hex.data(), hex.data() + hex.size(), keysym, 16);
    return std::string("0x") + hex.data();
}

const char* ModifierName(uint32_t mask) {
    switch (mask) {
        case kShift:
            return "Shift";
        case kControl:
            return "Control";
        case kMod1:
            return "Mod1";
        case kMod4:
            return "Mod4";
        default:
            return "Mod5";
    }
}

}  // namespace

uint32_t VirtualKeymap::ModifierMask(uint32_t keysym) {
    const auto* m = std::find_if(kModifiers.begin(), kModifiers.end(),
                                 [keysym](const Modifier& m) { return m.keysym == keysym; });
    return m == kModifiers.end() ? 0 : m->mask;
}

VirtualKeymap::VirtualKeymap(const std::string& layout) {
    for (const LayoutKey& key : LayoutKeysOf(layout)) {
        if (key.code <= kMaxCode && IsKeysym(key.plain) && key.name != SpareName(key.code)) {
            m_keys[key.code] = {key.plain, IsKeysym(key.shifted) ? key.shifted : 0, false};
        }
    }
    if (!m_keys.empty()) {
        return;
    }
    for (const auto& [keys, shifted, first] : kCharacterRows) {
        for (uint32_t i = 0; keys[i] != '\0'; ++i) {
            m_keys[first + i] = {uint8_t(keys[i]), uint8_t(shifted[i]), false};
        }
    }
    for (const StandardKey& k : kOtherKeys) {
        m_keys[k.code] = {k.keysym, 0, false};
    }
}

std::optional<uint32_t> VirtualKeymap::KeyFor(uint32_t keysym, const std::vector<uint32_t>& held) {
    if (!IsKeysym(keysym)) {
        return std::nullopt;
    }
    for (const auto& [code, key] : m_keys) {
        if (key.keysym == keysym) {
            return code;
        }
    }
    uint32_t code = FreeCode();
    if (code == 0) {
        std::erase_if(m_keys, [&held](const auto& key) {
            return key.second.spare &&
                   std::find(held.begin(), held.end(), key.second.keysym) == held.end();
        });
        code = FreeCode();
    }
    if (code == 0) {
        return std::nullopt;
    }
    m_keys[code] = {keysym, 0, true};
    m_changed = true;
    return code;
}

uint32_t VirtualKeymap::FreeCode() const {
    for (uint32_t code = 1; code <= kMaxCode; ++code) {
        if (!m_keys.contains(code)) {
            return code;
        }
    }
    return 0;
}

bool VirtualKeymap::TakeChange() {
    return std::exchange(m_changed, false);
}

// Keysyms are written as hex numbers, which xkb takes for any value from 10
// on, named or not; types and interpretations are xkb's standard ones.
std::string VirtualKeymap::Text() const {
    std::string codes;
    std::string symbols;
    for (const auto& [code, key] : m_keys) {
        const std::string name =
            "<" + (key.spare ? SpareName(code) : "K" + std::to_string(code)) + ">";
        codes += name + " = " + std::to_string(code + 8) + ";\n";
        symbols += "key " + name + " { [ " + HexKeysym(key.keysym);
        if (key.shifted != 0) {
            symbols += ", " + HexKeysym(key.shifted);
        }
        symbols += " ] };\n";
        if (const uint32_t mask = ModifierMask(key.keysym)) {
            symbols += "modifier_map " + std::string(ModifierName(mask)) + " { " + name + " };\n";
        }
    }
    return "xkb_keymap {\n"
           "xkb_keycodes \"quorvane\" {\nminimum = 8;\nmaximum = 255;\n" +
           codes +
           "};\n"
           "xkb_types \"quorvane\" { include \"complete\" };\n"
           "xkb_compatibility \"quorvane\" { include \"complete\" };\n"
           "xkb_symbols \"quorvane\" {\n" +
           symbols + "};\n};\n";
}

}  // namespace qrv
