#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <thread>

#include "platform/settings/ini_profile_store.h"
#include "platform/settings/lock_file.h"
#include "platform/settings/lock_file_numbering.h"
#include "platform/settings/user_data_folder.h"
#include "platform_test_support.h"

namespace qrv {
namespace {

namespace fs = std::filesystem;

void StartTool(QProcess& tool, const QStringList& arguments) {
    tool.start(QStringLiteral(QRV_TEST_HELPER_DIR "/profile_tool"), arguments);
    ASSERT_TRUE(tool.waitForStarted(60000));
}

// The next line the tool prints, waiting as long as it takes.
std::string NextLine(QProcess& tool) {
    while (!tool.canReadLine() && tool.waitForReadyRead(60000)) {
    }
    return tool.readLine().trimmed().toStdString();
}

// The tool's "name=value" output lines as a map, once it has ended.
std::map<std::string, std::string> Output(QProcess& tool) {
    EXPECT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 0);
    std::map<std::string, std::string> values;
    for (const QByteArray& line : tool.readAllStandardOutput().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            values[line.left(equals).toStdString()] = line.mid(equals + 1).toStdString();
    }
    return values;
}

// What a regular file holds; anything else is named, never opened.
std::string Contents(const std::string& path) {
    if (fs::exists(path) && !fs::is_regular_file(path))
        return "<not a file>";
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class IniProfileStoreTest : public testing::Test {
  protected:
    QTemporaryDir m_dir;
    const std::string m_folder = m_dir.filePath(QStringLiteral("Tolbrin")).toStdString();
    const std::string m_file = m_folder + "/profile.ini";
    IniProfileStore m_store{m_file};
};

// Each write is in the file when it returns, with no save: another store
// sees it at its next read, a process killed right after it loses nothing.
// A store reads the file again only when another one changed it, and a
// write that changes nothing leaves the file alone.
TEST_F(IniProfileStoreTest, WritesLandAtOnceAndEveryInstanceSeesThem) {
    fs::create_directories(m_folder);
    Put(m_file, "[Odd%20Sec/x]\nname=\xff\n");
    fs::permissions(m_file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    IniProfileStore other(m_file);
    ASSERT_TRUE(m_store.WriteInt("Instance 2", "Count", 5));
    EXPECT_EQ(other.GetInt("Instance 2", "Count", 0), 5);
    ASSERT_TRUE(other.WriteString("Instance 3", "Verb", "Execute"));
    EXPECT_EQ(m_store.GetString("Instance 3", "Verb", ""), "Execute");
    EXPECT_EQ(m_store.GetInt("Instance 2", "Count", 0), 5);
    EXPECT_EQ(m_store.FileReads(), 2);
    EXPECT_EQ(other.FileReads(), 1);
    EXPECT_EQ(fs::status(m_file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    struct stat before = {}, after = {};
    ASSERT_EQ(::stat(m_file.c_str(), &before), 0);
    ASSERT_TRUE(m_store.WriteInt("Instance 2", "Count", 5));
    ASSERT_EQ(::stat(m_file.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);

    QProcess killed;
    StartTool(killed, {"write", QString::fromStdString(m_file), "Instance 4", "Verb", "Print"});
    ASSERT_EQ(NextLine(killed), "written");
    killed.kill();  // SIGKILL: nothing runs after it
    ASSERT_TRUE(killed.waitForFinished(60000));
    EXPECT_EQ(m_store.GetString("Instance 4", "Verb", ""), "Print");
    EXPECT_EQ(Contents(m_file),
              "[Odd%20Sec/x]\nname=\xff\n\n[Instance 2]\nCount=5\n\n[Instance 3]\nVerb=Execute\n\n"
              "[Instance 4]\nVerb=Print\n");
}

// Two processes and two threads of this one rewrite the file for a while;
// every key keeps the last value its writer wrote, and an older key survives.
TEST_F(IniProfileStoreTest, ConcurrentWritersOfDifferentKeysLoseNothing) {
    ASSERT_TRUE(m_store.WriteInt("Settings", "m_oStartingPoint.x", 5));
    const QString file = QString::fromStdString(m_file);
    QProcess first, second;
    StartTool(first, {"hammer", file, "Instance 2", "First ", "6", "2500"});
    StartTool(second, {"hammer", file, "Settings", "Second ", "7", "2500"});
    std::vector<std::thread> threads;
    for (const char* key : {"Thread 1", "Thread 2"}) {
        threads.emplace_back([this, key] {
            for (int i = 0; i <= 30; ++i)
                EXPECT_TRUE(m_store.WriteInt("ControlList", key, i));
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    const auto firstLast = Output(first);
    const auto secondLast = Output(second);
    ASSERT_EQ(firstLast.size() + secondLast.size(), 13u);
    IniProfileStore reread(m_file);
    for (const auto& [key, value] : firstLast)
        EXPECT_EQ(reread.GetString("Instance 2", key, ""), value);
    for (const auto& [key, value] : secondLast)
        EXPECT_EQ(reread.GetString("Settings", key, ""), value);
    EXPECT_EQ(reread.GetInt("Settings", "m_oStartingPoint.x", 0), 5);
    EXPECT_EQ(reread.GetInt("ControlList", "Thread 1", 0), 30);
    EXPECT_EQ(reread.GetInt("ControlList", "Thread 2", 0), 30);
}

// A profile of many small sections is read once when first used, however
// many values are read and written afterwards.
TEST_F(IniProfileStoreTest, LargeProfileIsReadOnceHoweverOftenItIsWritten) {
    constexpr int kSections = 100000;
    std::string text;
    for (int i = 0; i < kSections; ++i)
        text += "[Instance " + std::to_string(i) + "]\nCount=" + std::to_string(i) + "\n";
    fs::create_directories(m_folder);
    Put(m_file, text);
    // Distinct sections spread over the whole file.
    auto section = [](int n) { return "Instance " + std::to_string((n * 99991 + 5) % kSections); };
    for (int n = 0; n < 2000; ++n)
        ASSERT_EQ(m_store.GetString(section(n), "Count", ""), section(n).substr(9));
    for (int n = 0; n < 10; ++n)
        ASSERT_TRUE(m_store.WriteInt(section(n), "Count", -n));
    EXPECT_EQ(m_store.FileReads(), 1);
    IniProfileStore reread(m_file);
    EXPECT_EQ(reread.GetInt(section(9), "Count", 1), -9);
    EXPECT_EQ(reread.GetString(section(10), "Count", ""), section(10).substr(9));
}

// Every way a write can fail leaves the file as it was, keeps the value for
// this session, and is reported once however often it is tried again.
TEST_F(IniProfileStoreTest, FailedWritesAreReportedOnceAndTruncateNothing) {
    fs::create_directories(m_folder);
    Put(m_file + ".lock", "");
    const std::string kept = "[Settings]\nKept=1\n";
    std::optional<LockFile> held;
    const struct {
        const char* name;
        std::function<std::string()> block;  // returns the profile path
        const char* reason;
    } cases[] = {
        {"directory in place of the file",
         [&] {
             fs::create_directories(m_file);
             return m_file;
         },
         "Something other than a file is in the place of"},
        {"pipe in place of the file",
         [&] {
             EXPECT_EQ(::mkfifo(m_file.c_str(), 0600), 0);
             return m_file;
         },
         "Something other than a file is in the place of"},
        {"folder under a regular file",
         [&] {
             Put(m_file, kept);
             return m_file + "/sub/profile.ini";
         },
         "cannot be created: Not a directory."},
        {"more lines than a profile has",
         [&] {
             Put(m_file, std::string(1000001, '\n'));
             return m_file;
         },
         "is larger than 16 MiB or a million lines."},
        {"lock held by another writer",
         [&] {
             Put(m_file, kept);
             EXPECT_EQ(held.emplace(m_file + ".lock").Take(), 0);
             return m_file;
         },
         "locked for five seconds."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(m_file);
        held.reset();
        const std::string path = c.block();
        const std::string before = Contents(m_file);
        std::set<fs::path> entries(fs::directory_iterator(m_folder), {});
        std::vector<std::string> reports;
        {
            IniProfileStore store(path);
            store.SetFailureReport([&](const std::string& text) { reports.push_back(text); });
            EXPECT_FALSE(store.WriteInt("Settings", "Kept", 2));
            EXPECT_FALSE(store.Save());
            EXPECT_EQ(store.GetInt("Settings", "Kept", 0), 2);
        }
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_NE(reports[0].find("\"" + path + "\""), std::string::npos) << reports[0];
        EXPECT_NE(reports[0].find(c.reason), std::string::npos) << reports[0];
        EXPECT_EQ(Contents(m_file), before);
        EXPECT_EQ(std::set<fs::path>(fs::directory_iterator(m_folder), {}), entries);
    }
}

// A full disk and a read-only folder are told apart, in words. Each case
// runs the tool in a private mount of its own, where one can be made.
TEST_F(IniProfileStoreTest, SaysWhetherTheDiskIsFullOrTheFolderReadOnly) {
    const struct {
        const char* name;
        const char* block;  // run on the mounted folder $2 after the profile is made
        const char* reason;
    } cases[] = {
        {"full disk", "head -c 1M /dev/zero >\"$2/filler\" 2>/dev/null",
         "The disk that holds the folder \"%s\" is full."},
        {"read-only folder", "mount -o remount,ro \"$2\" || exit 77",
         "The folder \"%s\" is on a read-only file system."},
    };
    const QString folder = m_dir.filePath(QStringLiteral("mount"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QProcess tool;
        tool.start(QStringLiteral("unshare"),
                   {"-rm", "sh", "-c",
                    "mount -t tmpfs -o size=64k tmpfs \"$2\" || exit 77\n"
                    "printf '[Settings]\\nKept=1\\n' >\"$2/profile.ini\"\n" +
                        QString::fromUtf8(c.block) +
                        "\n\"$3\" write \"$2/profile.ini\" Settings Kept 2 </dev/null\n"
                        "echo \"exit $?\"; cat \"$2/profile.ini\"",
                    "sh", folder, folder, QStringLiteral(QRV_TEST_HELPER_DIR "/profile_tool")});
        ASSERT_TRUE(tool.waitForFinished(60000));
        if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() == 77 ||
            tool.error() == QProcess::FailedToStart) {
            GTEST_SKIP() << "no private mounts here";
        }
        const std::string output = tool.readAllStandardOutput().toStdString();
        char reason[512];
        std::snprintf(reason, sizeof reason, c.reason, folder.toUtf8().constData());
        EXPECT_NE(output.find(reason), std::string::npos) << output;
        EXPECT_NE(output.find("exit 1\n[Settings]\nKept=1\n"), std::string::npos) << output;
        EXPECT_EQ(output.find("lock"), std::string::npos) << output;
    }
}

// Instances started at the same moment each claim their own number; a
// number comes free when its holder dies, however it dies.
TEST(LockFileNumberingTest, InstancesStartedTogetherClaimDifferentNumbers) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("sub/instance-"));
    std::vector<std::unique_ptr<QProcess>> tools;
    for (int i = 0; i < 4; ++i) {
        tools.push_back(std::make_unique<QProcess>());
        tools.back()->start(QStringLiteral(QRV_TEST_HELPER_DIR "/profile_tool"), {"claim", prefix});
    }
    std::map<int, QProcess*> holders;
    for (auto& tool : tools)
        holders[std::stoi("0" + NextLine(*tool))] = tool.get();
    ASSERT_EQ(holders.size(), 4u);
    EXPECT_EQ(holders.begin()->first, 1);
    EXPECT_EQ(holders.rbegin()->first, 4);
    LockFileNumbering mine(prefix.toStdString());
    EXPECT_EQ(mine.Claim(2), 5);
    holders[2]->kill();
    ASSERT_TRUE(holders[2]->waitForFinished(60000));
    EXPECT_EQ(mine.Claim(1), 2);
    for (auto& tool : tools)
        tool->closeWriteChannel();
    for (auto& tool : tools)
        EXPECT_TRUE(tool->state() == QProcess::NotRunning || tool->waitForFinished(60000));
}

// The profile and the data live in the XDG base folders; a relative
// XDG_CONFIG_HOME is ignored; without a home neither is known.
TEST(UserFoldersTest, ProfileDataAndInstanceLocksLiveInTheUserFolders) {
    const struct {
        const char* config;
        const char* data;
        const char* runtime;
        const char* home;
        std::string profile, dataFolder, prefix;
    } cases[] = {
        {"/c", "/d", "/r", "/h", "/c/Tolbrin/Quorvane by Tolbrin.ini", "/d",
         "/r/quorvane-instance-"},
        {nullptr, nullptr, nullptr, "/h", "/h/.config/Tolbrin/Quorvane by Tolbrin.ini",
         "/h/.local/share", "/h/.config/Tolbrin/Quorvane by Tolbrin.ini.instance-"},
        {"c", "d", "r", "/h", "/h/.config/Tolbrin/Quorvane by Tolbrin.ini", "/h/.local/share",
         "/h/.config/Tolbrin/Quorvane by Tolbrin.ini.instance-"},
        {nullptr, nullptr, nullptr, nullptr, "", "", ""},
    };
    for (const auto& c : cases) {
        const test::ScopedEnv config("XDG_CONFIG_HOME", c.config), data("XDG_DATA_HOME", c.data),
            runtime("XDG_RUNTIME_DIR", c.runtime), home("HOME", c.home);
        EXPECT_EQ(IniProfileStore::UserProfilePath(), c.profile) << c.home;
        EXPECT_EQ(UserDataFolder(), c.dataFolder);
        EXPECT_EQ(LockFileNumbering::UserPrefix(IniProfileStore::UserProfilePath()), c.prefix);
    }
}

}  // namespace
}  // namespace qrv
