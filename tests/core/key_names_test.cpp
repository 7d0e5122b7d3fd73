#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/input/key_names.h"

namespace qrv {
namespace {

constexpr uint32_t kCtrl = 0xffe3, kShift = 0xffe1, kF9 = 0xffc6, kUnicode = 0x01000000;

TEST(KeyNamesTest, NamesAliasesCharactersAndCodePoints) {
    const std::pair<const char*, uint32_t> known[] = {{"Return", 0xff0d},
                                                      {"return", 0xff0d},
                                                      {"Next", 0xff56},
                                                      {"F1", 0xffbe},
                                                      {"f9", kF9},
                                                      {"F35", 0xffe0},
                                                      {"KP_0", 0xffb0},
                                                      {"kp_9", 0xffb9},
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
                                                      {"U+10FFFF", kUnicode + 0x10ffff}};
    for (const auto& [name, keysym] : known) {
        EXPECT_EQ(KeysymFromName(name), keysym) << name;
    }
    for (const char* name : {"F36", "F0", "F09", "KP_10", "U+110000", "U+D800", "U+0001", "U+",
                             "U+12G", "U+0000000041", "u+41", "", "ab", "Foo", "\xff", "\xc3"}) {
        EXPECT_EQ(KeysymFromName(name), std::nullopt) << name;
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

}  // namespace
}  // namespace qrv
