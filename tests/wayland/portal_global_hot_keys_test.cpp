#include "platform/portal/portal_global_hot_keys.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

namespace qrv {
namespace {

using namespace hot_key_mod;
constexpr uint32_t kF6 = 0x75;
constexpr uint32_t kF9 = 0x78;
const char* const kStart = "shortcut start-stop CTRL+SHIFT+F9 Start or stop the search";
const char* const kColour = "shortcut add-colour F6 Add the colour under the mouse cursor";

std::string Joined(const QStringList& lines) {
    return lines.join(" | ").toStdString();
}

// The scripted portal of apps/ on a session bus where no other portal runs
// (tests/wayland/with-sway.sh without --portal); it logs what it is asked.
class PortalGlobalHotKeysTest : public testing::Test {
  protected:
    void SetUp() override {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected() || bus.interface()->isServiceRegistered(
                                      QStringLiteral("org.freedesktop.portal.Desktop"))) {
            GTEST_SKIP() << "needs a session bus without a desktop portal";
        }
    }
    void TearDown() override {
        if (m_peer.state() != QProcess::NotRunning) {
            m_peer.kill();
            m_peer.waitForFinished();
        }
    }

    void StartPeer(bool shortcuts) {
        QStringList args{QCoreApplication::applicationDirPath() + "/apps/portal_peer.py"};
        if (!shortcuts) {
            args << "--no-shortcuts";
        }
        args << Log() << "token";
        m_peer.start("python3", args);
        ASSERT_TRUE(m_peer.waitForReadyRead(20000)) << "the scripted portal did not start";
    }
    QString Log() const { return m_dir.filePath("portal.log"); }
    // The logged lines from `from` on, `count` of them (-1: all), joined.
    std::string Logged(qsizetype from, qsizetype count = -1) const {
        return Lines().mid(from, count).join(" | ").toStdString();
    }
    QStringList Lines() const {
        QFile file(Log());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n')
                                              : QStringList{};
    }
    // Runs events until `done` holds (bounded); whether it did.
    template <typename Done>
    static bool RunUntil(Done done) {
        const QDeadlineTimer deadline(20000);
        while (!done() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        return done();
    }
    static void Activate(const QString& shortcut) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            "org.freedesktop.portal.Desktop", "/org/tolbrin/QuorvaneTest",
            "org.tolbrin.QuorvaneTest.Peer", "Activate");
        call << shortcut;
        QDBusConnection::sessionBus().call(call);
    }

    QTemporaryDir m_dir;
    QProcess m_peer;
};

TEST_F(PortalGlobalHotKeysTest, BindsTheWholeSetOnEachChangeAndCallsTheActivatedId) {
    StartPeer(true);
    ASSERT_TRUE(PortalGlobalHotKeys::Offered());
    {
        PortalGlobalHotKeys unused(20000);  // as in the command line: no key, no session
    }
    EXPECT_EQ(Logged(0), "");
    auto keys = std::make_unique<PortalGlobalHotKeys>(20000);

    ASSERT_TRUE(keys->Register(hot_key_id::kStartSearch, kControl | kShift, kF9));
    ASSERT_TRUE(keys->Register(hot_key_id::kAddColor, 0, kF6));
    EXPECT_EQ(Logged(0, 5), Joined({"bind 1", kStart, "bind 2", kStart, kColour}));

    // A combination another id holds, or a key without a name, is refused
    // and what the id held is let go.
    EXPECT_FALSE(keys->Register(hot_key_id::kAddColor, kControl | kShift, kF9));
    EXPECT_FALSE(keys->Register(hot_key_id::kAddColor, 0, 0x07));
    ASSERT_TRUE(RunUntil([&] { return Lines().size() >= 8; }));
    EXPECT_EQ(Logged(5, 2), Joined({"bind 1", kStart}));

    std::vector<int> pressed;
    keys->SetHandler(hot_key_id::kStartSearch, [&](int id) { pressed.push_back(id); });
    keys->SetHandler(hot_key_id::kAddColor, [&](int id) { pressed.push_back(id); });
    Activate("add-colour");  // no longer bound
    Activate("start-stop");
    ASSERT_TRUE(RunUntil([&] { return !pressed.empty(); }));
    EXPECT_EQ(pressed, std::vector<int>{hot_key_id::kStartSearch});

    // A changed key: let go and bound again at once asks the portal once.
    const qsizetype before = Lines().size();
    keys->Unregister(hot_key_id::kStartSearch);
    ASSERT_TRUE(keys->Register(hot_key_id::kStartSearch, kAlt, 0x41));
    QCoreApplication::processEvents();
    EXPECT_EQ(Logged(before - 1),
              Joined({"bind 1", "shortcut start-stop ALT+a Start or stop the search", ""}));

    keys.reset();
    EXPECT_EQ(Lines().value(Lines().size() - 2), "closed");
}

TEST_F(PortalGlobalHotKeysTest, APortalWithoutGlobalShortcutsIsNotTaken) {
    StartPeer(false);
    EXPECT_FALSE(PortalGlobalHotKeys::Offered());
}

}  // namespace
}  // namespace qrv
