#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/input/key_names.h"
#include "core/input/keyboard_actions.h"

namespace qrv {
namespace {

constexpr uint32_t kCtrl = 0xffe3, kShift = 0xffe1, kF9 = 0xffc6, kUnicode = 0x01000000;

TEST(KeyNamesTest, NamesAliasesCharactersAndCodePoints) {
    const struct {
        const char* name;
        std::optional<uint32_t> keysym;
    } cases[] = {
        {"Return", 0xff0d},
        {"return", 0xff0d},
        {"Next", 0xff56},
        {"F1", 0xffbe},
        {"f9", kF9},
        {"F35", 0xffe0},
        {"F36", {}},
        {"F0", {}},
        {"F09", {}},
        {"KP_0", 0xffb0},
        {"kp_9", 0xffb9},
        {"KP_10", {}},
        {"ctrl", kCtrl},
        {"CTRL", kCtrl},
        {"shift", kShift},
        {"alt", 0xffe9},
        {"super", 0xffeb},
        {"a", 'a'},
        {"A", 'A'},
        {"plus", '+'},
        {"+", '+'},
        {"é", 0xe9},
        {"Ω", kUnicode + 0x3a9},
        {"😀", kUnicode + 0x1f600},
        {"U+20AC", kUnicode + 0x20ac},
        {"U+41", 'A'},
        {"U+10FFFF", kUnicode + 0x10ffff},
        {"U+110000", {}},
        {"U+D800", {}},
        {"U+0001", {}},
        {"U+", {}},
        {"U+12G", {}},
        {"U+0000000041", {}},
        {"u+41", {}},
        {"", {}},
        {"ab", {}},
        {"Foo", {}},
        {"\xff", {}},
        {"\xc3", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeysymFromName(c.name), c.keysym) << c.name;
    }
}

TEST(KeyNamesTest, CombosInOrderAndErrorsNamingTheKey) {
    const struct {
        const char* combo;
        std::vector<uint32_t> keysyms;  // empty: refused with `error`
        const char* error;
    } cases[] = {
        {"ctrl+shift+F9", {kCtrl, kShift, kF9}, ""},
        {"ctrl+plus", {kCtrl, '+'}, ""},
        {"ctrl+U+20AC+a", {kCtrl, kUnicode + 0x20ac, 'a'}, ""},
        {"shift+U", {kShift, 'U'}, ""},
        {"Return", {0xff0d}, ""},
        {"ctrl+Foo", {}, "unknown key name 'Foo' in 'ctrl+Foo'"},
        {"Foo", {}, "unknown key name 'Foo'"},
        {"ctrl++", {}, "no key name in 'ctrl++' (the + key is written plus)"},
        {"+", {}, "no key name in '+' (the + key is written plus)"},
        {"", {}, "no key name (the + key is written plus)"},
        {"ctrl+\x01", {}, "unknown key name '\\x01' in 'ctrl+\\x01'"},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto keysyms = KeysymsFromCombo(c.combo, error);
        EXPECT_EQ(keysyms.value_or(std::vector<uint32_t>{}), c.keysyms) << c.combo;
        EXPECT_EQ(error, c.error) << c.combo;
    }
}

TEST(KeyNamesTest, OnlyWellFormedTypableTextIsTyped) {
    const struct {
        std::string utf8;
        std::u32string text;  // empty: refused
    } cases[] = {
        {"Grüße 日本語 😀\n\t", U"Grüße 日本語 😀\n\t"},
        {"\xc0\x80", {}},          // overlong
        {"\xe0\x80\x80", {}},      // overlong
        {"\xed\xa0\x80", {}},      // surrogate
        {"\xf4\x90\x80\x80", {}},  // past U+10FFFF
        {"\xe6\x97", {}},          // cut short
        {"a\x80", {}},             // stray continuation
        {"a\x01", {}},             // a control no key types
        {"\xc2\x85", {}},          // a C1 control
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_EQ(KeyboardActions::TextToType(c.utf8, error).value_or(U""), c.text) << c.utf8;
        EXPECT_EQ(error.empty(), !c.text.empty()) << c.utf8;
    }
}

}  // namespace
}  // namespace qrv
