#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <optional>

#include "app_fixture.h"
#include "core/settings/setting_keys.h"
#include "platform/x11/x_top_level_windows.h"

namespace qrv {
namespace {

// Starts the program with its data folder under `dataHome`; `unset` names
// variables taken out of its environment, `bus` replaces its session bus.
void Start(QProcess& process, const QString& dataHome, const QStringList& unset = {},
           const QString& bus = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dataHome + QStringLiteral("/config"));
    for (const QString& name : unset)
        env.remove(name);
    if (!bus.isEmpty())
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QRV_APP_PATH), {});
    ASSERT_TRUE(process.waitForStarted());
}

// The program's shown window other than `besides`.
std::optional<WindowId> ShownWindow(int64_t pid, std::optional<WindowId> besides = std::nullopt) {
    for (const TopLevelWindow& window : XTopLevelWindows().Enumerate()) {
        if (window.processId == pid && window.title == kAppName && window.visible &&
            window.id != besides) {
            return window.id;
        }
    }
    return std::nullopt;
}

// Gives the program's window the keyboard and presses `key` in it.
void PressIn(WindowId window, const char* key) {
    const QString id = QString::number(window);
    for (const QStringList& arguments :
         {QStringList{"windowfocus", "--sync", id}, QStringList{"key", "--clearmodifiers", key}}) {
        QProcess xdotool;
        xdotool.start(QStringLiteral("xdotool"), arguments);
        ASSERT_TRUE(xdotool.waitForFinished(30000));
    }
}

// The message box is the program's window besides `main`: its text is on
// standard error as well, and pressing Enter ends the program with status 1.
void ExpectReportedFailure(QProcess& process, const char* text,
                           std::optional<WindowId> main = std::nullopt) {
    QByteArray errors;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            errors += process.readAllStandardError();
            return errors.contains(text);
        },
        30000))
        << errors.toStdString();
    std::optional<WindowId> box;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return (box = ShownWindow(process.processId(), main)).has_value(); }, 30000));
    PressIn(*box, "Return");
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
}

TEST(StartUpTest, SaysWhyAndFailsWhenThePictureFolderCannotExist) {
    QTemporaryDir home;
    ASSERT_TRUE(WriteFile(home.filePath(QStringLiteral("Quorvane-by-Tolbrin"))));
    {
        SCOPED_TRACE("a file in the folder's place");
        QProcess process;
        Start(process, home.path());
        ExpectReportedFailure(process, "cannot be created");
    }
    {
        SCOPED_TRACE("no home folder");
        QProcess process;
        Start(process, home.path(), {"HOME", "XDG_DATA_HOME"});
        ExpectReportedFailure(process, "data folder is not known");
    }
}

TEST(StartUpTest, SaysSoWhenTheSettingsCannotBeSaved) {
    QTemporaryDir home;
    const QString blocker = home.filePath(QStringLiteral("config"));
    ASSERT_TRUE(WriteFile(blocker));
    QProcess process;
    Start(process, home.path());
    std::optional<WindowId> main;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return (main = ShownWindow(process.processId())).has_value(); }, 30000));
    // Reported as the window writes its settings, before it goes.
    PressIn(*main, "Escape");
    ExpectReportedFailure(process, "settings could not be saved", main);
    EXPECT_EQ(QFileInfo(blocker).size(), 0);
}

// The program makes its picture folder and shows its window, also beside a
// session bus that takes connections but never answers them (nothing here
// accepts them), which would block its first call on it for good.
TEST(StartUpTest, CreatesThePictureFolderAndShowsTheMainWindowBesideAMuteBus) {
    QTemporaryDir home;
    const QByteArray path = QFile::encodeName(home.filePath(QStringLiteral("mute-bus")));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(std::size_t(path.size()), sizeof address.sun_path);
    std::copy(path.begin(), path.end(), address.sun_path);
    const int mute = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_EQ(::bind(mute, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(mute, 16), 0);
    QProcess process;
    Start(process, home.path(), {}, QStringLiteral("unix:path=") + QFile::decodeName(path));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return ShownWindow(process.processId()).has_value(); }, 120000));
    EXPECT_TRUE(QDir(home.filePath(QStringLiteral("Quorvane-by-Tolbrin"))).exists());
    EXPECT_TRUE(process.readAllStandardError().contains("does not answer"));
    process.terminate();
    process.waitForFinished(10000);
    ::close(mute);
}

}  // namespace
}  // namespace qrv
