#include <gtest/gtest.h>

#include <string>

#include "core/colours/latin1_text.h"

namespace qrv {
namespace {

TEST(Latin1Text, DecodesEveryByteAsItsCharacter) {
    struct Case {
        std::string latin1;
        std::string utf8;
    };
    const Case cases[] = {
        {"", ""},
        {"Plain title", "Plain title"},
        {"Caf\xe9", "Caf\u00e9"},
        {"\xa9 2024 \xc4\xd6\xdc", "\u00a9 2024 \u00c4\u00d6\u00dc"},
        {"\x80\xa0\xff", "\u0080\u00a0\u00ff"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Latin1ToUtf8(c.latin1), c.utf8);
    }
    std::string every;
    for (int byte = 0; byte < 256; ++byte) {
        every.push_back(static_cast<char>(byte));
    }
    const Latin1Text back = Utf8ToLatin1(Latin1ToUtf8(every));
    EXPECT_TRUE(back.ok);
    EXPECT_EQ(back.bytes, every);
}

}  // namespace
}  // namespace qrv
