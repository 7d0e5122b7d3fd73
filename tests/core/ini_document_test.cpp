#include "core/settings/ini_document.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <random>
#include <sstream>

namespace qrv {
namespace {

struct Edit {
    std::string section, key, value;
    bool isInt = false;
};

Edit Int(std::string section, std::string key, int32_t value) {
    return {std::move(section), std::move(key), std::to_string(value), true};
}

bool Apply(IniDocument& document, const Edit& e) {
    return e.isInt ? document.SetInt(e.section, e.key, std::stoi(e.value))
                   : document.SetString(e.section, e.key, e.value);
}

// Setting keys changes their own lines only: other programs' keys, odd names,
// bytes that are not UTF-8, comments and line ends stay as they were.
TEST(IniDocumentTest, SettingKeysKeepEveryOtherByte) {
    const struct {
        const char* name;
        std::string before;
        std::vector<Edit> edits;
        std::string after;
    } cases[] = {
        {"empty file",
         "",
         {Int("Instance 2", "Start Key", 65), {"Settings", "Verb", "Open"}},
         "[Instance 2]\nStart Key=65\n\n[Settings]\nVerb=Open\n"},
        {"foreign keys and line ends",
         "[Odd%20Sec/x]\nname=\xff\xfe bad\n; c\n[Instance 2]\r\nCount = 1\r\n\n# end\n",
         {Int("Instance 2", "Count", 5), Int("Instance 2", "Interval", 9)},
         "[Odd%20Sec/x]\nname=\xff\xfe bad\n; c\n[Instance 2]\r\nCount = 5\r\nInterval=9\n\n# "
         "end\n"},
        {"stock spelling kept",
         "[Instance%202]\nStart%20Key=5\n",
         {Int("Instance 2", "Start Key", 6)},
         "[Instance%202]\nStart%20Key=6\n"},
        {"last of duplicates",
         "[A]\nx=1\n[B]\n[A]\nx=2\n",
         {Int("A", "x", 3), Int("A", "y", 4)},
         "[A]\nx=1\n[B]\n[A]\nx=3\ny=4\n"},
        {"no final line break", "[A]\nx=1", {Int("A", "y", 2)}, "[A]\nx=1\ny=2\n"},
        {"unterminated comment stays last",
         "[A]\nx=1\n; end",
         {Int("A", "y", 2)},
         "[A]\nx=1\ny=2\n; end"},
        {"new section after keys without section", "k=v", {{"S", "a", "b"}}, "k=v\n\n[S]\na=b\n"},
        {"key without section goes first", "[S]\na=b\n", {Int("", "t", 1)}, "t=1\n[S]\na=b\n"},
        {"names and values escaped",
         "",
         {{"a/b]", " k=;", "@x, y"}, {"S", "#k", " \"q\"\\\n\x01"}},
         "[a%2Fb%5D]\n%20k%3D;=\"@@x, y\"\n\n[S]\n%23k=\" \\\"q\\\"\\\\\\n\\x01\"\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IniDocument document(c.before);
        EXPECT_EQ(document.Text(), c.before);
        for (const Edit& e : c.edits)
            EXPECT_TRUE(Apply(document, e));
        EXPECT_EQ(document.Text(), c.after);
        // Setting what is there already changes nothing.
        for (const Edit& e : c.edits)
            EXPECT_FALSE(Apply(document, e));
        const IniDocument reread(document.Text());
        for (const Edit& e : c.edits)
            EXPECT_EQ(reread.Value(e.section, e.key), e.value) << e.key;
    }
}

// Files written by hand or by the stock INI writer read leniently.
TEST(IniDocumentTest, ReadsValuesLikeTheStockReader) {
    const std::string text =
        "; k=1\n# c\ntop=1\n[Instance%202]\r\n Start%20Key = 5 \njunk\n=x\n"
        "Quoted=\"a\\\"b\\\\c\\nd\\x41\" tail\n[ Settings ]\nColumn%d=@@at\nRaw=\xff\n"
        "Huge=99999999999\nLow=-2147483648\nWord=three\nEmpty=\n";
    const IniDocument document(text);
    const struct {
        const char* section;
        const char* key;
        std::optional<std::string> value;
        std::optional<int32_t> number;
    } cases[] = {
        {"", "top", "1", 1},
        {"", "k", std::nullopt, std::nullopt},  // a comment
        {"Instance 2", "Start Key", "5", 5},
        {"Instance 2", "junk", std::nullopt, std::nullopt},
        {"Instance 2", "", std::nullopt, std::nullopt},
        {"Instance 2", "Quoted", "a\"b\\c\ndA", std::nullopt},
        {"Settings", "Column%d", "@at", std::nullopt},
        {"Settings", "Raw", "\xff", std::nullopt},
        {"Settings", "Huge", "99999999999", std::nullopt},
        {"Settings", "Low", "-2147483648", INT_MIN},
        {"Settings", "Word", "three", std::nullopt},
        {"Settings", "Empty", "", std::nullopt},
        {"Settings", "Missing", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(document.Value(c.section, c.key), c.value) << c.key;
        EXPECT_EQ(document.IntValue(c.section, c.key), c.number) << c.key;
    }
}

// Property: any text reads back as itself; any names and values set in it
// read back as set, after a write and a read, and every line that was there
// stays, in order.
TEST(IniDocumentTest, AnyTextAndAnyValuesSurvive) {
    std::mt19937 random(20240611);
    const std::string alphabet = "aZ09 ._-%=/\\[]\";#,@\t\r\n\x01\xff\xc3\xbc";
    auto text = [&](const std::string& from, int maxLength) {
        std::string result;
        for (int n = std::uniform_int_distribution<int>(1, maxLength)(random); n > 0; --n)
            result += from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
        return result;
    };
    std::string anyByte;
    for (int c = 0; c < 256; ++c)
        anyByte += char(c);
    for (int round = 0; round < 300; ++round) {
        const std::string foreign = text(alphabet, 120);
        IniDocument document(foreign);
        ASSERT_EQ(document.Text(), foreign);
        std::map<std::pair<std::string, std::string>, std::string> set;
        for (int n = 0; n < 6; ++n) {
            // Own sections are not in the foreign text, whose lines then all stay.
            const std::string section = "Own " + text(anyByte, 4);
            const std::string key = text(n % 2 ? anyByte : alphabet, 6);
            const std::string value = text(anyByte, 10);
            document.SetString(section, key, value);
            set[{section, key}] = value;
        }
        const std::string written = document.Text();
        const IniDocument reread(written);
        for (const auto& [slot, value] : set)
            ASSERT_EQ(reread.Value(slot.first, slot.second), value) << written;
        std::istringstream before(foreign), after(written);
        for (std::string line, out; std::getline(before, line);) {
            while (std::getline(after, out) && out != line) {
            }
            ASSERT_EQ(out, line) << "lost from:\n" << foreign << "\nin:\n" << written;
        }
    }
}

}  // namespace
}  // namespace qrv
