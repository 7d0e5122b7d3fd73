#include "core/input/key_names.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "core/base/quoted.h"
#include "core/input/utf8_code_points.h"

namespace qrv {

namespace {

constexpr uint32_t kUnicodeKeysymBase = 0x01000000;
constexpr uint32_t kF1 = 0xffbe;
constexpr int kLastFunctionKey = 35;
constexpr uint32_t kKeypad0 = 0xffb0;

struct NamedKeysym {
    std::string_view name;
    uint32_t keysym;
};

// The named keys besides F1..F35 and KP_0..KP_9, which are counted.
constexpr NamedKeysym kNamedKeysyms[] = {
    {"BackSpace", 0xff08},
    {"Tab", 0xff09},
    {"Linefeed", 0xff0a},
    {"Clear", 0xff0b},
    {"Return", 0xff0d},
    {"Pause", 0xff13},
    {"Scroll_Lock", 0xff14},
    {"Sys_Req", 0xff15},
    {"Escape", 0xff1b},
    {"Home", 0xff50},
    {"Left", 0xff51},
    {"Up", 0xff52},
    {"Right", 0xff53},
    {"Down", 0xff54},
    {"Page_Up", 0xff55},
    {"Prior", 0xff55},
    {"Page_Down", 0xff56},
    {"Next", 0xff56},
    {"End", 0xff57},
    {"Begin", 0xff58},
    {"Select", 0xff60},
    {"Print", 0xff61},
    {"Execute", 0xff62},
    {"Insert", 0xff63},
    {"Undo", 0xff65},
    {"Redo", 0xff66},
    {"Menu", 0xff67},
    {"Find", 0xff68},
    {"Cancel", 0xff69},
    {"Help", 0xff6a},
    {"Break", 0xff6b},
    {"Mode_switch", 0xff7e},
    {"Num_Lock", 0xff7f},
    {"KP_Space", 0xff80},
    {"KP_Tab", 0xff89},
    {"KP_Enter", 0xff8d},
    {"KP_F1", 0xff91},
    {"KP_F2", 0xff92},
    {"KP_F3", 0xff93},
    {"KP_F4", 0xff94},
    {"KP_Home", 0xff95},
    {"KP_Left", 0xff96},
    {"KP_Up", 0xff97},
    {"KP_Right", 0xff98},
    {"KP_Down", 0xff99},
    {"KP_Page_Up", 0xff9a},
    {"KP_Prior", 0xff9a},
    {"KP_Page_Down", 0xff9b},
    {"KP_Next", 0xff9b},
    {"KP_End", 0xff9c},
    {"KP_Begin", 0xff9d},
    {"KP_Insert", 0xff9e},
    {"KP_Delete", 0xff9f},
    {"KP_Multiply", 0xffaa},
    {"KP_Add", 0xffab},
    {"KP_Separator", 0xffac},
    {"KP_Subtract", 0xffad},
    {"KP_Decimal", 0xffae},
    {"KP_Divide", 0xffaf},
    {"KP_Equal", 0xffbd},
    {"Shift_L", 0xffe1},
    {"Shift_R", 0xffe2},
    {"Control_L", 0xffe3},
    {"Control_R", 0xffe4},
    {"Caps_Lock", 0xffe5},
    {"Meta_L", 0xffe7},
    {"Meta_R", 0xffe8},
    {"Alt_L", 0xffe9},
    {"Alt_R", 0xffea},
    {"Super_L", 0xffeb},
    {"Super_R", 0xffec},
    {"Hyper_L", 0xffed},
    {"Hyper_R", 0xffee},
    {"ISO_Level3_Shift", 0xfe03},
    {"Delete", 0xffff},
    {"space", 0x20},
    {"exclam", 0x21},
    {"quotedbl", 0x22},
    {"numbersign", 0x23},
    {"dollar", 0x24},
    {"percent", 0x25},
    {"ampersand", 0x26},
    {"apostrophe", 0x27},
    {"parenleft", 0x28},
    {"parenright", 0x29},
    {"asterisk", 0x2a},
    {"plus", 0x2b},
    {"comma", 0x2c},
    {"minus", 0x2d},
    {"period", 0x2e},
    {"slash", 0x2f},
    {"colon", 0x3a},
    {"semicolon", 0x3b},
    {"less", 0x3c},
    {"equal", 0x3d},
    {"greater", 0x3e},
    {"question", 0x3f},
    {"at", 0x40},
    {"bracketleft", 0x5b},
    {"backslash", 0x5c},
    {"bracketright", 0x5d},
    {"asciicircum", 0x5e},
    {"underscore", 0x5f},
    {"grave", 0x60},
    {"braceleft", 0x7b},
    {"bar", 0x7c},
    {"braceright", 0x7d},
    {"asciitilde", 0x7e},
    {"XF86AudioLowerVolume", 0x1008ff11},
    {"XF86AudioMute", 0x1008ff12},
    {"XF86AudioRaiseVolume", 0x1008ff13},
    {"XF86AudioPlay", 0x1008ff14},
    {"XF86AudioStop", 0x1008ff15},
    {"XF86AudioPrev", 0x1008ff16},
    {"XF86AudioNext", 0x1008ff17},
    {"XF86AudioPause", 0x1008ff31},
    {"XF86AudioMicMute", 0x1008ffb2},
    {"XF86MonBrightnessUp", 0x1008ff02},
    {"XF86MonBrightnessDown", 0x1008ff03},
    {"XF86HomePage", 0x1008ff18},
    {"XF86Mail", 0x1008ff19},
    {"XF86Search", 0x1008ff1b},
    {"XF86Calculator", 0x1008ff1d},
    {"XF86Back", 0x1008ff26},
    {"XF86Forward", 0x1008ff27},
    {"XF86Refresh", 0x1008ff29},
    {"XF86Eject", 0x1008ff2c},
    {"XF86Sleep", 0x1008ff2f},
};

constexpr NamedKeysym kModifierAliases[] = {
    {"ctrl", 0xffe3},
    {"shift", 0xffe1},
    {"alt", 0xffe9},
    {"super", 0xffeb},
};

std::optional<uint32_t> ControlKeysym(char32_t codePoint) {
    switch (codePoint) {
        case U'\b':
            return 0xff08;  // BackSpace
        case U'\t':
            return 0xff09;  // Tab
        case U'\n':
        case U'\r':
            return 0xff0d;  // Return
        case 0x1b:
            return 0xff1b;  // Escape
        case 0x7f:
            return 0xffff;  // Delete
        default:
            return std::nullopt;
    }
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

// A number written in `digits` alone, in `base`.
std::optional<uint32_t> WholeNumber(std::string_view digits, int base) {
    uint32_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [next, error] = std::from_chars(digits.data(), end, value, base);
    if (digits.empty() || error != std::errc() || next != end) {
        return std::nullopt;
    }
    return value;
}

// F1..F35 and KP_0..KP_9, ignoring case when asked.
std::optional<uint32_t> CountedKeysym(std::string_view name, bool ignoreCase) {
    const auto startsWith = [&](std::string_view prefix) {
        return name.size() > prefix.size() &&
               (ignoreCase ? SameIgnoringCase(name.substr(0, prefix.size()), prefix)
                           : name.starts_with(prefix));
    };
    if (startsWith("F") && name[1] != '0') {
        const std::optional<uint32_t> n = WholeNumber(name.substr(1), 10);
        if (n && *n >= 1 && *n <= kLastFunctionKey) {
            return kF1 + *n - 1;
        }
    }
    if (startsWith("KP_") && name.size() == 4 && name[3] >= '0' && name[3] <= '9') {
        return kKeypad0 + uint32_t(name[3] - '0');
    }
    return std::nullopt;
}

std::optional<uint32_t> TableKeysym(std::string_view name, bool ignoreCase) {
    for (const NamedKeysym& key : kNamedKeysyms) {
        if (ignoreCase ? SameIgnoringCase(key.name, name) : key.name == name) {
            return key.keysym;
        }
    }
    return CountedKeysym(name, ignoreCase);
}

std::optional<uint32_t> AliasKeysym(std::string_view name) {
    for (const NamedKeysym& alias : kModifierAliases) {
        if (SameIgnoringCase(alias.name, name)) {
            return alias.keysym;
        }
    }
    return std::nullopt;
}

// One character, or U+ and up to six hex digits.
std::optional<uint32_t> CharacterKeysym(std::string_view name) {
    if (name.starts_with("U+") && name.size() > 2 && name.size() <= 8) {
        const std::optional<uint32_t> codePoint = WholeNumber(name.substr(2), 16);
        return codePoint ? KeysymForCodePoint(char32_t(*codePoint)) : std::nullopt;
    }
    const std::optional<std::u32string> text = CodePointsFromUtf8(name);
    if (!text || text->size() != 1) {
        return std::nullopt;
    }
    return KeysymForCodePoint(text->front());
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (LowerAscii(c) >= 'a' && LowerAscii(c) <= 'f');
}

// The end of the key name that starts at `start`: the next `+`, past the
// one of a `U+` followed by a hex digit.
std::size_t KeyNameEnd(std::string_view combo, std::size_t start) {
    const std::string_view rest = combo.substr(start);
    const bool codePoint = rest.starts_with("U+") && rest.size() > 2 && IsHexDigit(rest[2]);
    const std::size_t plus = combo.find('+', start + (codePoint ? 2 : 0));
    return plus == std::string_view::npos ? combo.size() : plus;
}

}  // namespace

std::optional<uint32_t> KeysymForCodePoint(char32_t codePoint) {
    if (codePoint < 0x20 || codePoint == 0x7f)
        return ControlKeysym(codePoint);
    if (codePoint < 0x80 || (codePoint >= 0xa0 && codePoint <= 0xff))
        return codePoint;
    if (codePoint < 0xa0)
        return std::nullopt;  // C1 controls
    if (codePoint >= 0xd800 && codePoint <= 0xdfff)
        return std::nullopt;
    if (codePoint > 0x10ffff)
        return std::nullopt;
    return kUnicodeKeysymBase + codePoint;
}

std::optional<uint32_t> KeysymFromName(std::string_view name) {
    if (auto keysym = TableKeysym(name, false)) {
        return keysym;
    }
    if (auto keysym = AliasKeysym(name)) {
        return keysym;
    }
    if (auto keysym = CharacterKeysym(name)) {
        return keysym;
    }
    return TableKeysym(name, true);
}

std::optional<std::vector<uint32_t>> KeysymsFromCombo(std::string_view combo, std::string& error) {
    std::vector<uint32_t> keysyms;
    for (std::size_t start = 0; start <= combo.size();) {
        const std::size_t end = KeyNameEnd(combo, start);
        const std::string_view name = combo.substr(start, end - start);
        const std::optional<uint32_t> keysym = KeysymFromName(name);
        if (!keysym) {
            const std::string in = name == combo ? "" : " in " + Quoted(std::string(combo));
            error = name.empty() ? "no key name" + in + " (the + key is written plus)"
                                 : "unknown key name " + Quoted(std::string(name)) + in;
            return std::nullopt;
        }
        keysyms.push_back(*keysym);
        start = end + 1;
    }
    return keysyms;
}

}  // namespace qrv
