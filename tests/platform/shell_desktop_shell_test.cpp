#include <gtest/gtest.h>

#include <signal.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <algorithm>

#include "platform/freedesktop/desktop_shell.h"
#include "platform_test_support.h"

namespace qrv {
namespace {

// Waits for what a detached process does.
using test::WaitUntil;

QStringList Lines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

void WriteFile(const QString& path, const QByteArray& text, bool executable) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

class DesktopShellTest : public testing::Test {
  protected:
    void SetUp() override {
        // Records what the desktop would have been asked to open.
        WriteFile(m_opener, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$0.log\"\n", true);
    }

    // A script that leaves "<script>.ran" behind when it runs.
    QString Script(const QString& name, bool executable) {
        const QString path = m_dir.filePath(name);
        WriteFile(path, "#!/bin/sh\ntouch \"$0.ran\"\n", executable);
        return path;
    }
    static bool Ran(const QString& script) { return QFileInfo::exists(script + ".ran"); }
    QStringList Opened() const { return Lines(m_opener + ".log"); }

    QTemporaryDir m_dir;
    const QString m_opener = m_dir.filePath(QStringLiteral("opener"));
    const QString m_printer = m_dir.filePath(QStringLiteral("printer"));
    DesktopShell m_shell{m_opener, m_printer};
};

enum class Outcome { Ran, Opened, Printed, Failed };

// What each verb does with each kind of file: only programs by content with
// the execute bit run; scripts without it, and data files with it (as on FAT
// and NTFS mounts), are opened. "edit" never runs, "print" goes to the
// spooler, other verbs fail.
TEST_F(DesktopShellTest, VerbsRunOnlyProgramsWithTheExecuteBit) {
    WriteFile(m_printer, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$0.log\"\n", true);
    const struct {
        const char* name;
        QByteArray content;
        bool executable;
        Outcome open, execute;
    } files[] = {
        {"script.sh", "#!/bin/sh\ntouch \"$0.ran\"\n", true, Outcome::Ran, Outcome::Ran},
        {"plain script.sh", "#!/bin/sh\ntouch \"$0.ran\"\n", false, Outcome::Opened,
         Outcome::Failed},
        {"data on fat.sh", "touch \"$0.ran\"\n", true, Outcome::Opened, Outcome::Failed},
        {"data.txt", "touch \"$0.ran\"\n", false, Outcome::Opened, Outcome::Failed},
    };
    QStringList ran, opened, printed;
    for (const auto& file : files) {
        for (const char* verb :
             {"open", "Open", "", "EXECUTE", "edit", "Print", "runas", " open"}) {
            SCOPED_TRACE(std::string(file.name) + " / " + verb);
            const QString path = m_dir.filePath(QStringLiteral("%1 %2").arg(verb, file.name));
            WriteFile(path, file.content, file.executable);
            const QString v = QString::fromUtf8(verb).toLower();
            const Outcome expected = v == "" || v == "open" ? file.open
                                     : v == "execute"       ? file.execute
                                     : v == "edit"          ? Outcome::Opened
                                     : v == "print"         ? Outcome::Printed
                                                            : Outcome::Failed;
            EXPECT_EQ(m_shell.Execute(path.toStdString(), verb), expected != Outcome::Failed);
            if (expected == Outcome::Ran)
                ran << path;
            if (expected == Outcome::Opened)
                opened << path;
            if (expected == Outcome::Printed)
                printed << path;
        }
    }
    ASSERT_TRUE(WaitUntil([&] {
        return Opened().size() >= opened.size() &&
               Lines(m_printer + ".log").size() >= printed.size() &&
               std::all_of(ran.begin(), ran.end(), Ran);
    }));
    QStringList allRan = QDir(m_dir.path()).entryList({"*.ran"});
    EXPECT_EQ(allRan.size(), ran.size()) << allRan.join(", ").toStdString();
    QStringList seen = Opened(), seenPrinted = Lines(m_printer + ".log");
    for (QStringList* list : {&seen, &seenPrinted, &opened, &printed})
        list->sort();
    EXPECT_EQ(seen, opened);
    EXPECT_EQ(seenPrinted, printed);

    const QString document = m_dir.filePath(QStringLiteral("letter.txt"));
    WriteFile(document, "text\n", false);
    EXPECT_FALSE(DesktopShell(m_opener, QStringLiteral("no-such-spooler"))
                     .Execute(document.toStdString(), "print"));
    EXPECT_FALSE(m_shell.Execute(m_dir.filePath("missing.txt").toStdString(), "edit"));
    EXPECT_FALSE(m_shell.Execute(m_dir.path().toStdString(), "print"));
}

// An executable is recognised by its ELF header, and needs the execute bit.
TEST_F(DesktopShellTest, ExecutablesAreRecognisedByTheirHeader) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("true"));
    ASSERT_FALSE(program.isEmpty());
    const QString copy = m_dir.filePath(QStringLiteral("copy of true"));
    ASSERT_TRUE(QFile::copy(program, copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(m_shell.Execute(copy.toStdString(), "execute"));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_FALSE(m_shell.Execute(copy.toStdString(), "execute"));
}

// A bare name runs the program of that name on the search path.
TEST_F(DesktopShellTest, BareNamesAreLookedUpOnTheSearchPath) {
    const QString onPath = Script(QStringLiteral("qrv-test-program"), true);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", m_dir.path().toUtf8() + ':' + path);
    EXPECT_TRUE(m_shell.Execute("qrv-test-program", "open"));
    EXPECT_FALSE(m_shell.Execute("no-such-program-anywhere", "open"));
    qputenv("PATH", path);
    ASSERT_TRUE(WaitUntil([&] { return Ran(onPath); }));
    EXPECT_TRUE(Opened().isEmpty());
}

// Everything that is not a program goes to the default application, but
// only for "open"; missing files fail.
TEST_F(DesktopShellTest, DocumentsFoldersAndAddressesGoToTheDefaultApplication) {
    const QString document = m_dir.filePath(QStringLiteral("notes file.txt"));
    WriteFile(document, "not a program\n", false);
    EXPECT_FALSE(m_shell.Execute(document.toStdString(), "Execute"));
    EXPECT_FALSE(m_shell.Execute(m_dir.filePath("missing.txt").toStdString(), "open"));
    EXPECT_FALSE(m_shell.Open(""));
    EXPECT_FALSE(m_shell.Open(m_dir.filePath("missing").toStdString()));
    EXPECT_TRUE(m_shell.Execute(document.toStdString(), "Open"));
    const QStringList targets = {m_dir.path(), QStringLiteral("https://example.org/a b"),
                                 QStringLiteral("mailto:someone@example.org")};
    for (const QString& target : targets)
        EXPECT_TRUE(m_shell.Open(target.toStdString()));
    ASSERT_TRUE(WaitUntil([&] { return Opened().size() > targets.size(); }));
    QStringList opened = Opened();
    QStringList expected = targets + QStringList{document};
    opened.sort();
    expected.sort();
    EXPECT_EQ(opened, expected);
}

// Without a file manager on the bus the file's folder is opened; with one it
// gets the file's address.
TEST_F(DesktopShellTest, RevealAsksTheFileManagerOrOpensTheFolder) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        GTEST_SKIP() << "needs a session bus";
    const QString service = QStringLiteral("org.freedesktop.FileManager1");
    ASSERT_FALSE(bus.interface()->isServiceRegistered(service).value());

    const QString file = m_dir.filePath(QStringLiteral("shown file #1.png"));
    WriteFile(file, "png", false);
    EXPECT_FALSE(m_shell.Reveal(m_dir.filePath("missing.png").toStdString()));
    EXPECT_TRUE(m_shell.Reveal(file.toStdString()));
    ASSERT_TRUE(WaitUntil([&] { return !Opened().isEmpty(); }));
    EXPECT_EQ(Opened(), QStringList{m_dir.path()});

    const QString record = m_dir.filePath(QStringLiteral("shown"));
    qint64 pid = 0;
    ASSERT_TRUE(QProcess::startDetached(QStringLiteral(QRV_TEST_HELPER_DIR "/fake_file_manager"),
                                        {record}, QString(), &pid));
    ASSERT_TRUE(WaitUntil([&] { return bus.interface()->isServiceRegistered(service).value(); }));
    EXPECT_TRUE(m_shell.Reveal(file.toStdString()));
    // The file manager may answer before its record reaches the disk.
    EXPECT_TRUE(WaitUntil([&] { return !Lines(record).isEmpty(); }));
    ::kill(static_cast<pid_t>(pid), SIGTERM);

    const QStringList shown = Lines(record);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith("file:///"));
    EXPECT_EQ(QUrl(shown[0]).toLocalFile(), file);
    EXPECT_EQ(Opened().size(), 1);
    ASSERT_TRUE(WaitUntil([&] { return !bus.interface()->isServiceRegistered(service).value(); }));
}

}  // namespace
}  // namespace qrv
