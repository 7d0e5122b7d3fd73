#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/colors/colors_html_export.h"
#include "core/colors/export_file_paths.h"
#include "core/colors/latin1_text.h"
#include "fakes/fake_clock.h"

namespace qrv {
namespace {

namespace fs = std::filesystem;
constexpr std::string_view kApp = "Quorvane by Tolbrin";

class HtmlExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("qrv-html-" + std::to_string(std::random_device{}()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // Joined the way the exporter joins folder and name.
    std::string PathOf(const std::string& name) const { return m_dir.string() + "/" + name; }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void Touch(const std::string& path, const std::string& text = "x") {
        std::ofstream(path, std::ios::binary) << text;
    }
    std::size_t EntryCount() const {
        return std::size_t(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
    }

    fs::path m_dir;
};

const std::string kPageHead =
    "<html>\r\n<head>\r\n"
    "<title>2 Unique Colors from Screen Area Top 20, Left 10, Width 100, Height 50 - Quorvane by "
    "Tolbrin</title>\r\n"
    "<style>\r\n"
    "table { font-family:arial,sans-serif;border-collapse:collapse;}\r\n"
    "td, th {border: 2px solid #dddddd;text-align:left;padding:2px;}\r\n"
    "tr:nth-child(even) {background-color:#dddddd;}\r\n"
    "</style>\r\n</head>\r\n<body>\r\n"
    "<table style=\"margin-left:auto; margin-right:auto;\">\r\n"
    "<thead>\r\n<tr>\r\n<td>Sr No</td>\r\n"
    "<td style=\"width:250px\">Color</td>\r\n"
    "<td style=\"width:75px\">Red</td>\r\n"
    "<td style=\"width:75px\">Green</td>\r\n"
    "<td style=\"width:75px\">Blue</td>\r\n"
    "</tr>\r\n</thead>\r\n<tbody>\r\n";
const std::string kPageTail = "</tbody>\r\n</table>\r\n</body>\r\n</html>\r\n";
const std::string kSummary =
    "2 Unique Colors from Screen Area Top 20, Left 10, Width 100, Height 50";

TEST_F(HtmlExportTest, TitleIsLatin1UnescapedAndCleanedOrTheWriteLeavesTheTargetAlone) {
    const ColorsHtmlExport exporter("1 Unique Colors from File caf\xC3\xA9 & t\xC3\xA9:a.png",
                                    kApp);
    EXPECT_EQ(exporter.Summary(), "1 Unique Colors from File caf\xC3\xA9 & t\xC3\xA9 a.png");
    const std::string path = PathOf("p.html");
    ASSERT_TRUE(exporter.Write(path, std::vector<uint32_t>{0}).ok);
    const std::string page = Read(path);
    EXPECT_NE(page.find("<title>1 Unique Colors from File caf\xE9 & t\xE9 a.png - Quorvane by "
                        "Tolbrin</title>\r\n"),
              std::string::npos);
    EXPECT_EQ(page.find("&amp;"), std::string::npos);

    const std::string target = PathOf("page.html");
    Touch(target, "previous");
    const ColorsHtmlExport beyond("1 Unique Colors from File \xE5\x9B\xBE.png", kApp);
    const HtmlExportResult result = beyond.Write(target, std::vector<uint32_t>{0xFF});
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find("U+56FE"), std::string::npos) << result.message;
    EXPECT_NE(result.message.find(target), std::string::npos);
    EXPECT_EQ(Read(target), "previous");
    EXPECT_EQ(EntryCount(), 2U);

    const std::string fresh = PathOf("fresh.html");
    EXPECT_FALSE(beyond.Write(fresh, {}).ok);
    EXPECT_FALSE(fs::exists(fresh));
}

// The page replaces an old file, an empty list too, and leaves nothing else;
// a failed create gives the error code.
TEST_F(HtmlExportTest, WritesTheExactPageOverAnOldFile) {
    const ColorsHtmlExport exporter(kSummary, kApp);
    const std::string path = PathOf("page.html");
    Touch(path, std::string(100000, 'z'));
    ASSERT_TRUE(exporter.Write(path, {}).ok);
    EXPECT_EQ(Read(path), kPageHead + kPageTail);
    const HtmlExportResult result = exporter.Write(path, std::vector<uint32_t>{0x0000FF, 0x0A0B0C});
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(Read(path),
              kPageHead +
                  "<tr>\r\n<td>1</td>\r\n<td style=\"background-color:#ff0000\"></td>\r\n"
                  "<td>255</td>\r\n<td>0</td>\r\n<td>0</td>\r\n</tr>\r\n"
                  "<tr>\r\n<td>2</td>\r\n<td style=\"background-color:#0c0b0a\"></td>\r\n"
                  "<td>12</td>\r\n<td>11</td>\r\n<td>10</td>\r\n</tr>\r\n" +
                  kPageTail);
    EXPECT_EQ(EntryCount(), 1U);

    const std::string missing = PathOf("missing/page.html");
    EXPECT_EQ(exporter.Write(missing, {}).message,
              "Failed to Create / Write File with Error Code 2.\n\n" + missing +
                  "\n\nNo such file or directory.");
}

// The temporary file is created afresh: a link planted under the name an
// earlier version used is neither written through nor removed. A replaced
// page keeps its permissions but set-ID bits; a new one gets 0644 less the
// umask. A link or a non-file under the page's own name is left alone.
TEST_F(HtmlExportTest, PlantedLinksAreNotFollowedAndReplacedPagesKeepTheirMode) {
    using enum fs::perms;
    const ColorsHtmlExport exporter(kSummary, kApp);
    const std::string victim = PathOf("victim");
    Touch(victim, "victim");
    fs::permissions(victim, set_uid | owner_all | group_read | group_exec);
    const std::string usual = PathOf("usual");
    Touch(usual);  // read-write for all less the umask
    const fs::perms newMode = fs::status(usual).permissions() & ~(group_write | others_write);
    const struct {
        const char* name;
        std::optional<fs::perms> mode;  // of a page already there
        fs::perms expected;
    } cases[] = {
        {"new.html", std::nullopt, newMode},
        {"private.html", owner_read | owner_write, owner_read | owner_write},
        {"shared.html", owner_read | owner_write | group_read,
         owner_read | owner_write | group_read},
        {"setid.html", set_uid | set_gid | sticky_bit | owner_all | others_read,
         owner_all | others_read},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = PathOf(c.name);
        std::error_code linked;
        fs::create_symlink(victim, path + ".part", linked);
        if (linked) {
            GTEST_SKIP() << "no symbolic links on this system: " << linked.message();
        }
        if (c.mode) {
            Touch(path, "old");
            fs::permissions(path, *c.mode);
        }
        const HtmlExportResult result = exporter.Write(path, std::vector<uint32_t>{1, 2, 3});
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_EQ(Read(path).substr(0, kPageHead.size()), kPageHead);
        EXPECT_EQ(fs::status(path).permissions(), c.expected);
        EXPECT_TRUE(fs::is_symlink(path + ".part"));
        EXPECT_EQ(Read(victim), "victim");
    }
    EXPECT_EQ(EntryCount(), 2 + 2 * std::size(cases));

    const std::string link = PathOf("link.html");
    fs::create_symlink(victim, link);
    const std::string folder = PathOf("folder.html");
    fs::create_directory(folder);
    for (const auto& [path, reason] :
         {std::pair{link, "symbolic link"}, std::pair{folder, "other than a regular file"}}) {
        const HtmlExportResult result = exporter.Write(path, std::vector<uint32_t>{1});
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.message.find(reason), std::string::npos) << result.message;
        EXPECT_NE(result.message.find(path), std::string::npos) << result.message;
    }
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(Read(victim), "victim");
    EXPECT_EQ(fs::status(victim).permissions(), set_uid | owner_all | group_read | group_exec);
    EXPECT_EQ(EntryCount(), 4 + 2 * std::size(cases));
}

TEST_F(HtmlExportTest, ProposedNamesAddTheTickCountUntilFree) {
    FakeClock clock;
    const ColorsHtmlExport exporter("5 Unique Colors from File a.png of Width 3, Height 1", kApp);
    const std::string folder = m_dir.string() + "/";  // the doubled separator collapses
    const std::string plain = PathOf("5 Unique Colors from File a.png of Width 3, Height 1.html");
    EXPECT_EQ(exporter.ProposedPath(folder, clock), plain);

    Touch(plain);
    const std::string ticked = PathOf("5 Unique Colors from File a.png of Width 3, Height 1-" +
                                      std::to_string(clock.TickMs()) + ".html");
    EXPECT_EQ(exporter.ProposedPath(folder, clock), ticked);

    // Both retries read the same tick count, so all three candidates exist.
    Touch(ticked);
    EXPECT_EQ(exporter.ProposedPath(folder, clock), "");

    clock.Advance(7);
    EXPECT_EQ(exporter.ProposedPath(folder, clock),
              PathOf("5 Unique Colors from File a.png of Width 3, Height 1-" +
                     std::to_string(clock.TickMs()) + ".html"));
}

TEST(Latin1TextTest, ConvertsBothWaysOrNamesTheFirstCharacterItCannotHold) {
    struct Case {
        std::string utf8;
        bool ok;
        std::string bytes;
        char32_t offending;
    };
    const Case cases[] = {
        {"plain & <ascii>", true, "plain & <ascii>", 0},
        {"\xC3\xA9t\xC3\xA9 \xC3\xBF \xC2\xA0", true, "\xE9t\xE9 \xFF \xA0", 0},
        {"a\xC4\x80"
         "b",
         false, "", 0x100},
        {"\xE2\x82\xAC 5", false, "", 0x20AC},
        {"cut \xC3", false, "", 0xFFFD},
        {"\xC0\x80", false, "", 0xFFFD},
    };
    for (const Case& c : cases) {
        const Latin1Text text = Utf8ToLatin1(c.utf8);
        EXPECT_EQ(text.ok, c.ok) << c.utf8;
        EXPECT_EQ(text.bytes, c.bytes) << c.utf8;
        EXPECT_EQ(text.offending, c.offending) << c.utf8;
    }
    // Window titles in Latin-1: every byte decodes to its own character and back.
    EXPECT_EQ(Latin1ToUtf8(std::string("Caf\xe9\0", 5)), std::string("Caf\u00e9\0", 6));
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
