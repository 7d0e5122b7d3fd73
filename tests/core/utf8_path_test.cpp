#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "core/settings/utf8_path.h"

namespace qrv {
namespace {

std::string Utf8(const std::u8string& text) {
    return std::string(text.begin(), text.end());
}

// Files made through UTF-8 names are listed by the system under the same
// names, whatever the narrow encoding of the process.
TEST(Utf8PathTest, NamesReachTheFileSystemUnchanged) {
    const std::set<std::string> names = {"plain.png", "caf\xc3\xa9.png",
                                         "\xe6\xb5\x8b\xe8\xaf\x95.png",
                                         "\xf0\x9f\x98\x80 smile.png"};
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        Utf8Path("qrv-utf8-\xc3\xbc-" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(std::filesystem::create_directories(folder));
    for (const std::string& name : names) {
        std::ofstream(folder / Utf8Path(name)) << name;
        EXPECT_TRUE(
            std::filesystem::is_regular_file(Utf8Path(Utf8(folder.u8string()) + "/" + name)))
            << name;
    }
    std::set<std::string> listed;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        listed.insert(Utf8(entry.path().filename().u8string()));
    }
    std::filesystem::remove_all(folder);
    EXPECT_EQ(listed, names);
}

}  // namespace
}  // namespace qrv
