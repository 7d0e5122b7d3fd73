#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <thread>

#include "core/settings/temp_images_folder.h"
#include "platform/settings/ini_profile_store.h"
#include "platform/settings/user_data_folder.h"
#include "platform/settings/verbatim_ini_format.h"

namespace qrv {
namespace {

void StartTool(QProcess& tool, const QStringList& arguments) {
    tool.start(QStringLiteral(QRV_TEST_HELPER_DIR "/profile_tool"), arguments);
}

// The tool's "name=value" output lines as a map.
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

std::map<std::string, std::string> Dump(const QString& file, const char* reader) {
    QProcess tool;
    StartTool(tool, {"dump", file, reader});
    return Output(tool);
}

class IniProfileStoreTest : public testing::Test {
  protected:
    QTemporaryDir m_dir;
    const QString m_file = m_dir.filePath(QStringLiteral("Tolbrin/profile.ini"));
    IniProfileStore m_store{m_file};
};

// Names appear verbatim in the file; a separate process reading it with this
// format or with the stock INI reader sees the same names and values.
TEST_F(IniProfileStoreTest, NamesAndValuesSurviveExactly) {
    const std::map<std::string, int32_t> ints = {
        {"Instance 2/Start Key", 65},         {"Instance 2/Count", INT32_MIN},
        {"Instance 3/Interval", INT32_MAX},   {"Settings/m_oStartingPoint.x", -1280},
        {"Settings/m_oClosingPoint.y", 1079},
    };
    const std::map<std::string, std::string> strings = {
        {"Instance 2/Verb", "Open"},          {"Instance 2/Empty", ""},
        {"Instance 2/Blanks", "  a b  "},     {"Instance 2/Marks", "a, b; c # d = e"},
        {"Instance 2/Escapes", "\"q\" \\ x"}, {"Instance 2/Typed", "@Variant(int 5)"},
        {"Instance 2/Percent", "%20 %U0041"}, {"Instance 2/Text", "Grüße ☃ 日本"},
        {"Instance 2/Breaks", "a\nb\tc"},
    };
    auto split = [](const std::string& path) {
        const std::size_t slash = path.find('/');
        return std::pair(path.substr(0, slash), path.substr(slash + 1));
    };
    for (const auto& [path, value] : ints) {
        ASSERT_TRUE(m_store.WriteInt(split(path).first, split(path).second, value));
    }
    for (const auto& [path, value] : strings) {
        ASSERT_TRUE(m_store.WriteString(split(path).first, split(path).second, value));
    }
    ASSERT_TRUE(m_store.Save());
    QFile file(m_file);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const char* line :
         {"[Instance 2]", "[Settings]", "Start Key=65", "m_oStartingPoint.x=-1280"}) {
        EXPECT_TRUE(lines.contains(line)) << line;
    }
    for (const char* reader : {"verbatim", "stock"}) {
        auto seen = Dump(m_file, reader);
        EXPECT_EQ(seen.size(), ints.size() + strings.size()) << reader;
        for (const auto& [path, value] : ints)
            EXPECT_EQ(seen[path], std::to_string(value));
        for (const auto& [path, value] : strings) {
            std::string shown = value;
            for (std::size_t at; (at = shown.find('\n')) != std::string::npos;)
                shown.replace(at, 1, "\\n");
            EXPECT_EQ(seen[path], shown) << reader;
        }
    }
}

TEST_F(IniProfileStoreTest, UnreadableMissingAndUnwritable) {
    ASSERT_TRUE(m_store.WriteString("Instance 2", "Count", "three"));
    ASSERT_TRUE(m_store.WriteString("Instance 2", "Huge", "99999999999"));
    ASSERT_TRUE(m_store.WriteString("Instance 2", "Numeric", "42"));
    ASSERT_TRUE(m_store.WriteInt("Instance 2", "Interval", 250));
    EXPECT_EQ(m_store.GetInt("Instance 2", "Count", 1), 1);
    EXPECT_EQ(m_store.GetInt("Instance 2", "Huge", -1), -1);
    EXPECT_EQ(m_store.GetInt("Instance 2", "Numeric", 0), 42);
    EXPECT_EQ(m_store.GetString("Instance 2", "Interval", ""), "250");
    EXPECT_EQ(m_store.GetInt("Instance 3", "Interval", 1000), 1000);
    EXPECT_EQ(m_store.GetString("Instance 3", "Verb", "Open"), "Open");
    ASSERT_TRUE(m_store.Save());
    IniProfileStore reread(m_file);
    EXPECT_EQ(reread.GetInt("Instance 2", "Numeric", 0), 42);
    EXPECT_EQ(reread.GetString("Instance 2", "Count", ""), "three");
}

// Two processes and two threads of this one rewrite the file for a while;
// every key keeps the last value its writer wrote, and an older key survives.
TEST_F(IniProfileStoreTest, ConcurrentWritersOfDifferentKeysLoseNothing) {
    ASSERT_TRUE(m_store.WriteInt("Settings", "m_oStartingPoint.x", 5));
    ASSERT_TRUE(m_store.Save());
    QProcess first, second;
    StartTool(first, {"hammer", m_file, "Instance 2", "First ", "6", "2500"});
    StartTool(second, {"hammer", m_file, "Settings", "Second ", "7", "2500"});
    std::vector<std::thread> threads;
    for (const char* key : {"Thread 1", "Thread 2"}) {
        threads.emplace_back([this, key] {
            for (int i = 0; i <= 30; ++i)
                EXPECT_TRUE(m_store.WriteInt("ControlList", key, i) && m_store.Save());
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    const auto firstLast = Output(first);
    const auto secondLast = Output(second);
    ASSERT_EQ(firstLast.size() + secondLast.size(), 13u);
    auto seen = Dump(m_file, "verbatim");
    for (const auto& [key, value] : firstLast)
        EXPECT_EQ(seen["Instance 2/" + key], value);
    for (const auto& [key, value] : secondLast)
        EXPECT_EQ(seen["Settings/" + key], value);
    EXPECT_EQ(seen["Settings/m_oStartingPoint.x"], "5");
    EXPECT_EQ(seen["ControlList/Thread 1"], "30");
    EXPECT_EQ(seen["ControlList/Thread 2"], "30");
}

// What a regular file holds; anything else is named, never read.
QByteArray Contents(const QString& path) {
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile())
        return QFileInfo(path).isDir() ? "<folder>" : "<other>";
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A profile of many small sections is read once when first used, however
// many values are read, written and saved afterwards.
TEST_F(IniProfileStoreTest, LargeProfileIsReadOnceHoweverOftenItIsSaved) {
    constexpr int kSections = 200000;
    QByteArray text;
    for (int i = 0; i < kSections; ++i)
        text += "[Instance " + QByteArray::number(i) + "]\nCount=" + QByteArray::number(i) + "\n";
    ASSERT_TRUE(QDir().mkpath(QFileInfo(m_file).absolutePath()));
    Put(m_file, text);

    // Distinct sections spread over the whole file.
    auto section = [](int n) { return (n * 99991 + 5) % kSections; };
    for (int n = 0; n < 2000; ++n) {
        const std::string name = "Instance " + std::to_string(section(n));
        ASSERT_EQ(m_store.GetInt(name, "Count", -1), section(n));
        m_store.WriteInt(name, "Count", -section(n));
        m_store.WriteString("Settings", "Last", name);
    }
    EXPECT_EQ(m_store.FileReads(), 1);
    ASSERT_TRUE(m_store.Save());
    m_store.WriteInt("Settings", "Saves", 2);
    ASSERT_TRUE(m_store.Save());
    // Nothing else changed the file since it was read.
    EXPECT_EQ(m_store.FileReads(), 1);

    IniProfileStore reread(m_file);
    for (int n = 0; n < 2000; ++n) {
        ASSERT_EQ(reread.GetInt("Instance " + std::to_string(section(n)), "Count", 1), -section(n));
    }
    EXPECT_EQ(reread.GetInt("Instance " + std::to_string(section(2000)), "Count", -1),
              section(2000));
    EXPECT_EQ(reread.GetString("Settings", "Last", ""),
              "Instance " + std::to_string(section(1999)));
}

// A save keeps what another store saved since this one read the file, lets
// this store see it, replaces only keys this store changed, and keeps the
// file's mode.
TEST_F(IniProfileStoreTest, SaveMergesIntoTheCurrentFile) {
    ASSERT_TRUE(m_store.WriteInt("Settings", "Shared", 1));
    ASSERT_TRUE(m_store.Save());
    ASSERT_TRUE(QFile::setPermissions(m_file, QFile::ReadOwner | QFile::WriteOwner));
    IniProfileStore other(m_file);
    ASSERT_EQ(other.GetInt("Settings", "Shared", 0), 1);
    m_store.WriteInt("Instance 1", "Count", 10);
    m_store.WriteInt("Settings", "Shared", 2);
    ASSERT_TRUE(m_store.Save());
    other.WriteInt("Instance 2", "Count", 20);
    ASSERT_TRUE(other.Save());
    // Only the store whose file was replaced since its read reads it again.
    EXPECT_EQ(m_store.FileReads(), 2);  // first use, first save of a missing file
    EXPECT_EQ(other.FileReads(), 2);
    EXPECT_EQ(other.GetInt("Instance 1", "Count", 0), 10);
    EXPECT_EQ(other.GetInt("Settings", "Shared", 0), 2);
    auto seen = Dump(m_file, "verbatim");
    EXPECT_EQ(seen, (std::map<std::string, std::string>{{"Instance 1/Count", "10"},
                                                        {"Instance 2/Count", "20"},
                                                        {"Settings/Shared", "2"}}));
    namespace fs = std::filesystem;
    EXPECT_EQ(fs::status(m_file.toStdString()).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
}

// Every way a save can fail leaves the file as it was, keeps the value for
// this session, and is reported once however often the save is retried.
TEST_F(IniProfileStoreTest, FailedSavesAreReportedOnceAndTruncateNothing) {
    const bool root = ::geteuid() == 0;
    const QString folder = QFileInfo(m_file).absolutePath();
    ASSERT_TRUE(QDir().mkpath(folder));
    const QByteArray kept = "[Settings]\nKept=1\n";
    struct Case {
        const char* name;
        bool needsNonRoot;               // permission bits do not stop root
        std::function<QString()> block;  // returns the profile path
        std::function<void()> unblock;
    };
    std::unique_ptr<QLockFile> held;
    const std::vector<Case> cases = {
        {"directory in place of the file", false,
         [&] {
             EXPECT_TRUE(QDir().mkpath(m_file));
             return m_file;
         },
         [&] { QDir(m_file).removeRecursively(); }},
        {"pipe in place of the file", false,
         [&] {
             EXPECT_EQ(::mkfifo(m_file.toLocal8Bit().constData(), 0600), 0);
             return m_file;
         },
         [&] { QFile::remove(m_file); }},
        {"folder under a regular file", false,
         [&] {
             Put(m_file, kept);
             return m_file + QStringLiteral("/sub/profile.ini");
         },
         [] {}},
        {"lock held by another writer", false,
         [&] {
             Put(m_file, kept);
             held = std::make_unique<QLockFile>(m_file + QStringLiteral(".write-lock"));
             EXPECT_TRUE(held->tryLock(0));
             return m_file;
         },
         [&] { held.reset(); }},
        {"read-only file", true,
         [&] {
             Put(m_file, kept);
             QFile::setPermissions(m_file, QFile::ReadOwner);
             return m_file;
         },
         [&] { QFile::setPermissions(m_file, QFile::ReadOwner | QFile::WriteOwner); }},
        {"read-only folder", true,
         [&] {
             Put(m_file, kept);
             QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
             return m_file;
         },
         [&] {
             QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsNonRoot && root) {
            std::printf("skipped \"%s\": running as root, permission bits do not stop writes\n",
                        c.name);
            continue;
        }
        QFile::remove(m_file);
        const QString path = c.block();
        const QByteArray before = Contents(m_file);
        const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden);
        QStringList reports;
        {
            IniProfileStore store(path);
            store.SetFailureReport(
                [&](const std::string& text) { reports << QString::fromStdString(text); });
            store.WriteInt("Settings", "Kept", 2);
            EXPECT_FALSE(store.Save());
            EXPECT_FALSE(store.Save());
            EXPECT_EQ(store.GetInt("Settings", "Kept", 0), 2);
        }
        ASSERT_EQ(reports.size(), 1);
        EXPECT_TRUE(reports[0].contains(path)) << reports[0].toStdString();
        EXPECT_EQ(Contents(m_file), before);
        EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden), entries);
        c.unblock();
    }
}

// A full disk and a read-only folder are told apart, in the system's words.
// Each case runs the tool in a private mount of its own, where one can be made.
TEST_F(IniProfileStoreTest, SaysWhyTheLockFileCannotBeMade) {
    const struct {
        const char* name;
        const char* mount;  // options of a tmpfs mounted on the profile's folder
        const char* reason;
    } cases[] = {
        {"full disk", "size=16k", "No space left on device"},
        {"read-only folder", "ro", "Read-only file system"},
    };
    const QString folder = m_dir.filePath(QStringLiteral("mount"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QProcess tool;
        tool.start(QStringLiteral("unshare"),
                   {"-rm", "sh", "-c",
                    "mount -t tmpfs -o \"$1\" tmpfs \"$2\" || exit 77\n"
                    "head -c 1M /dev/zero >\"$2/filler\" 2>/dev/null\n"
                    "exec \"$3\" save \"$2/profile.ini\"",
                    "sh", c.mount, folder, QStringLiteral(QRV_TEST_HELPER_DIR "/profile_tool")});
        ASSERT_TRUE(tool.waitForFinished(60000));
        if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() == 77 ||
            tool.error() == QProcess::FailedToStart) {
            GTEST_SKIP() << "no private mounts here";
        }
        EXPECT_EQ(tool.exitCode(), 1);
        const QString report = QString::fromLocal8Bit(tool.readAllStandardOutput());
        EXPECT_TRUE(report.contains(QStringLiteral("could not be taken: %1.").arg(c.reason)))
            << report.toStdString();
    }
}

// Property: any map of names and values survives a write and a read, and
// hand-written files with escapes, comments and junk lines are read leniently.
TEST(VerbatimIniFormatTest, RoundTripsAndReadsLeniently) {
    const QString alphabet = QStringLiteral("aZ09 ._-%=/\\[]\";#,@\t\nü☃");
    std::mt19937 random(20240611);
    auto text = [&](int maxLength) {
        QString result;
        for (int n = std::uniform_int_distribution<int>(1, maxLength)(random); n > 0; --n) {
            result += alphabet[std::uniform_int_distribution<int>(0, alphabet.size() - 1)(random)];
        }
        return result.remove('/').trimmed().isEmpty() ? QStringLiteral("x") : result;
    };
    auto roundTrip = [](QByteArray bytes) {
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        QSettings::SettingsMap read;
        EXPECT_TRUE(VerbatimIniFormat::Read(in, read));
        return read;
    };
    for (int round = 0; round < 200; ++round) {
        QSettings::SettingsMap map;
        for (int entry = 0; entry < 8; ++entry)
            map.insert(text(6) + '/' + text(8), text(12));
        QByteArray bytes;
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        ASSERT_TRUE(VerbatimIniFormat::Write(out, map));
        ASSERT_EQ(roundTrip(bytes), map) << bytes.toStdString();
    }
    const QSettings::SettingsMap expected{{"Instance 2/Start Key", "5"},
                                          {"Instance 2/Quoted", "a\"b\\c\ndA"},
                                          {"Settings/Column%d", "@at"}};
    EXPECT_EQ(roundTrip("; c\n# c\n[Instance%202]\r\n Start%20Key = 5 \njunk\n=x\n"
                        "Quoted=\"a\\\"b\\\\c\\nd\\x41\"\n[ Settings ]\nColumn%d=@@at\n"),
              expected);
}

TEST(UserFoldersTest, ProfileAndImagesLiveInTheUserDirectories) {
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (config.isEmpty() || data.isEmpty())
        GTEST_SKIP() << "needs the private desktop's XDG dirs";
    EXPECT_EQ(IniProfileStore::UserProfilePath(), config + "/Tolbrin/Quorvane by Tolbrin.ini");
    EXPECT_EQ(GetTempImagesFolder(UserDataFolder()), (data + "/Quorvane-by-Tolbrin").toStdString());
    EXPECT_TRUE(QFileInfo(data + "/Quorvane-by-Tolbrin").isDir());
}

}  // namespace
}  // namespace qrv
