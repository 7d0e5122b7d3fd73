#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "settings/setting_keys.h"
#include "x11/x_top_level_windows.h"

namespace qrv {
namespace {

// Starts the program with its data folder under `dataHome`.
void Start(QProcess& process, const QString& dataHome) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dataHome + QStringLiteral("/config"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QRV_APP_PATH), {});
    ASSERT_TRUE(process.waitForStarted());
}

bool ShowsMainWindow(int64_t pid) {
    for (const TopLevelWindow& window : XTopLevelWindows().Enumerate()) {
        if (window.processId == pid && window.title == kAppName && window.visible) {
            return true;
        }
    }
    return false;
}

TEST(StartUpTest, ShowsNoWindowWhenThePictureFolderCannotExist) {
    QTemporaryDir home;
    QFile blocker(home.filePath(QStringLiteral("Quorvane-by-Tolbrin")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QProcess process;
    Start(process, home.path());
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}

TEST(StartUpTest, CreatesThePictureFolderAndShowsTheMainWindow) {
    QTemporaryDir home;
    QProcess process;
    Start(process, home.path());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ShowsMainWindow(process.processId()); }, 30000));
    EXPECT_TRUE(QDir(home.filePath(QStringLiteral("Quorvane-by-Tolbrin"))).exists());
    process.terminate();
    process.waitForFinished(10000);
}

}  // namespace
}  // namespace qrv
