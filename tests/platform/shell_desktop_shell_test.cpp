#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gio/gio.h>

#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/freedesktop/bus_daemon.h"
#include "platform/freedesktop/desktop_shell.h"
#include "platform/freedesktop/session_bus.h"
#include "platform_test_support.h"

namespace qrv {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

Lines ReadLines(const std::string& path) {
    std::ifstream file(path);
    Lines lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

Lines Sorted(Lines lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

void WriteFile(const std::string& path, const std::string& text, bool executable) {
    std::ofstream(path, std::ios::binary) << text;
    ::chmod(path.c_str(), executable ? 0700 : 0600);
}

// Records what it is asked to open or print, one argument a line.
const char* const kRecorder = "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$0.log\"\n";

class DesktopShellTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_temp.isValid());
        WriteFile(m_opener, kRecorder, true);
        WriteFile(m_printer, kRecorder, true);
    }

    std::string Path(const std::string& name) const { return m_dir + "/" + name; }
    Lines Opened() const { return ReadLines(m_opener + ".log"); }
    Lines Printed() const { return ReadLines(m_printer + ".log"); }
    static bool Ran(const std::string& script) { return fs::exists(script + ".ran"); }

    QTemporaryDir m_temp;
    const std::string m_dir = m_temp.path().toStdString();
    const std::string m_opener = Path("opener");
    const std::string m_printer = Path("printer");
    DesktopShell m_shell{m_opener, m_printer};
};

enum class Outcome { Ran, Opened, Printed, Failed };

// What each verb does with each kind of file: only programs by content with
// the execute bit run; scripts without it, and data files with it (as on FAT
// and NTFS mounts), are opened. "edit" never runs, "print" goes to the
// spooler, other verbs fail.
TEST_F(DesktopShellTest, VerbsRunOnlyProgramsWithTheExecuteBit) {
    const struct {
        const char* name;
        const char* content;
        bool executable;
        Outcome open, execute;
    } files[] = {
        {"script.sh", "#!/bin/sh\ntouch \"$0.ran\"\n", true, Outcome::Ran, Outcome::Ran},
        {"plain script.sh", "#!/bin/sh\ntouch \"$0.ran\"\n", false, Outcome::Opened,
         Outcome::Failed},
        {"data on fat.sh", "touch \"$0.ran\"\n", true, Outcome::Opened, Outcome::Failed},
        {"data.txt", "touch \"$0.ran\"\n", false, Outcome::Opened, Outcome::Failed},
    };
    Lines ran, opened, printed;
    for (const auto& file : files) {
        for (const char* verb :
             {"open", "Open", "", "EXECUTE", "edit", "Print", "runas", " open"}) {
            SCOPED_TRACE(std::string(file.name) + " / " + verb);
            const std::string path = Path(std::string(verb) + " " + file.name);
            WriteFile(path, file.content, file.executable);
            std::string v = verb;
            std::transform(v.begin(), v.end(), v.begin(), [](char c) { return std::tolower(c); });
            const Outcome expected = v == "" || v == "open" ? file.open
                                     : v == "execute"       ? file.execute
                                     : v == "edit"          ? Outcome::Opened
                                     : v == "print"         ? Outcome::Printed
                                                            : Outcome::Failed;
            EXPECT_EQ(m_shell.Execute(path, verb), expected != Outcome::Failed);
            (expected == Outcome::Ran       ? ran
             : expected == Outcome::Opened  ? opened
             : expected == Outcome::Printed ? printed
                                            : ran)
                .push_back(expected == Outcome::Failed ? std::string() : path);
        }
    }
    ran.erase(std::remove(ran.begin(), ran.end(), std::string()), ran.end());
    ASSERT_TRUE(test::WaitUntil([&] {
        return Opened().size() >= opened.size() && Printed().size() >= printed.size() &&
               std::all_of(ran.begin(), ran.end(), Ran);
    }));
    std::size_t allRan = 0;
    for (const auto& entry : fs::directory_iterator(m_dir)) {
        allRan += entry.path().extension() == ".ran";
    }
    EXPECT_EQ(allRan, ran.size());
    EXPECT_EQ(Sorted(Opened()), Sorted(opened));
    EXPECT_EQ(Sorted(Printed()), Sorted(printed));

    const std::string document = Path("letter.txt");
    WriteFile(document, "text\n", false);
    EXPECT_FALSE(DesktopShell(m_opener, "no-such-spooler").Execute(document, "print"));
    EXPECT_FALSE(m_shell.Execute(Path("missing.txt"), "edit"));
    EXPECT_FALSE(m_shell.Execute(m_dir, "print"));
}

// An executable is recognised by its ELF header, and needs the execute bit;
// a bare name runs the program of that name on the search path.
TEST_F(DesktopShellTest, ProgramsAreRecognisedByTheirHeaderOrFoundOnTheSearchPath) {
    const std::string copy = Path("copy of true");
    ASSERT_TRUE(fs::copy_file("/bin/true", copy));
    ::chmod(copy.c_str(), 0700);
    EXPECT_TRUE(m_shell.Execute(copy, "execute"));
    ::chmod(copy.c_str(), 0600);
    EXPECT_FALSE(m_shell.Execute(copy, "execute"));

    const std::string onPath = Path("qrv-test-program");
    WriteFile(onPath, "#!/bin/sh\ntouch \"$0.ran\"\n", true);
    {
        const test::ScopedEnv path("PATH", (m_dir + ":" + std::getenv("PATH")).c_str());
        EXPECT_TRUE(m_shell.Execute("qrv-test-program", "open"));
        EXPECT_FALSE(m_shell.Execute("no-such-program-anywhere", "open"));
    }
    ASSERT_TRUE(test::WaitUntil([&] { return Ran(onPath); }));
    EXPECT_TRUE(Opened().empty());
}

// Everything that is not a program goes to the default application, but
// only for "open"; missing files fail.
TEST_F(DesktopShellTest, DocumentsFoldersAndAddressesGoToTheDefaultApplication) {
    const std::string document = Path("notes file.txt");
    WriteFile(document, "not a program\n", false);
    EXPECT_FALSE(m_shell.Execute(document, "Execute"));
    EXPECT_FALSE(m_shell.Execute(Path("missing.txt"), "open"));
    EXPECT_FALSE(m_shell.Open(""));
    EXPECT_FALSE(m_shell.Open(Path("missing")));
    EXPECT_FALSE(m_shell.Open("c:\\not a scheme"));
    EXPECT_TRUE(m_shell.Execute(document, "Open"));
    const Lines targets = {m_dir, "https://example.org/a b", "mailto:someone@example.org"};
    for (const std::string& target : targets)
        EXPECT_TRUE(m_shell.Open(target));
    ASSERT_TRUE(test::WaitUntil([&] { return Opened().size() > targets.size(); }));
    Lines expected = targets;
    expected.push_back(document);
    EXPECT_EQ(Sorted(Opened()), Sorted(expected));
}

// The file manager as the test makes it: not there, running, or started by
// the bus on the first call (a service file in the session's data folder).
enum class Manager { kNone, kRunning, kActivatable };

class FileManagerTest : public DesktopShellTest {
  protected:
    void SetUp() override {
        DesktopShellTest::SetUp();
        if (!SessionBus::Connection() || !std::getenv("XDG_DATA_HOME"))
            GTEST_SKIP() << "needs the private desktop's session bus";
        ASSERT_FALSE(Owned()) << "another file manager runs";
        m_serviceFile = std::string(std::getenv("XDG_DATA_HOME")) + "/dbus-1/services/" +
                        DesktopShell::kFileManager + ".service";
    }
    void TearDown() override {
        if (!m_serviceFile.empty())
            Stop();
    }

    static bool Owned() { return BusDaemon::HasOwner(DesktopShell::kFileManager); }
    static GVariantPtr ReloadConfig() {
        return SessionBus::Call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                "org.freedesktop.DBus", "ReloadConfig", nullptr, "()");
    }

    void Start(Manager manager, const std::string& record) {
        if (manager == Manager::kRunning) {
            char* argv[] = {const_cast<char*>(kHelper), const_cast<char*>(record.c_str()), nullptr};
            GPid pid = 0;
            ASSERT_TRUE(g_spawn_async(nullptr, argv, nullptr, G_SPAWN_DO_NOT_REAP_CHILD, nullptr,
                                      nullptr, &pid, nullptr));
            m_started = pid;
            ASSERT_TRUE(test::WaitUntil(&Owned));
        } else if (manager == Manager::kActivatable) {
            fs::create_directories(fs::path(m_serviceFile).parent_path());
            std::ofstream(m_serviceFile) << "[D-BUS Service]\nName=" << DesktopShell::kFileManager
                                         << "\nExec=" << kHelper << " " << record << "\n";
            ASSERT_NE(ReloadConfig(), nullptr);
        }
    }
    void Stop() {
        if (const std::optional<uint32_t> pid = BusDaemon::OwnerProcess(DesktopShell::kFileManager))
            ::kill(pid_t(*pid), SIGTERM);
        fs::remove(m_serviceFile);
        ReloadConfig();
        EXPECT_TRUE(test::WaitUntil([] { return !Owned(); }));
        if (m_started > 0)
            ::waitpid(std::exchange(m_started, 0), nullptr, 0);
    }

    static constexpr const char* kHelper = QRV_TEST_HELPER_DIR "/fake_file_manager";
    std::string m_serviceFile;
    pid_t m_started = 0;
};

// Revealing and showing properties reach the file manager, running or started
// by the bus, with the file's encoded address; without one, revealing opens
// the file's folder and properties are not shown.
TEST_F(FileManagerTest, RevealAndPropertiesGoToAnyFileManagerTheBusCanReach) {
    const std::string file = Path("shown file #1 \xC3\xA9.png");
    WriteFile(file, "png", false);
    const std::string uri = "file://" + m_dir + "/shown%20file%20%231%20%C3%A9.png";
    const Lines shown{"ShowItems " + uri, "ShowItemProperties " + uri};
    const struct {
        Manager manager;
        Lines opened, shown;
    } cases[] = {
        {Manager::kNone, {m_dir}, {}},
        {Manager::kRunning, {}, shown},
        {Manager::kActivatable, {}, shown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.manager));
        const std::string record = Path("record" + std::to_string(int(c.manager)));
        fs::remove(m_opener + ".log");
        ASSERT_NO_FATAL_FAILURE(Start(c.manager, record));
        EXPECT_FALSE(m_shell.Reveal(Path("missing.png")));
        EXPECT_FALSE(m_shell.ShowProperties(Path("missing.png")));
        EXPECT_TRUE(m_shell.Reveal(file));
        EXPECT_EQ(m_shell.ShowProperties(file), !c.shown.empty());
        // The manager may answer before its record reaches the disk.
        EXPECT_TRUE(test::WaitUntil([&] { return ReadLines(record) == c.shown; }))
            << ReadLines(record).size();
        EXPECT_TRUE(test::WaitUntil([&] { return Opened() == c.opened; })) << Opened().size();
        Stop();
    }
}

}  // namespace
}  // namespace qrv
