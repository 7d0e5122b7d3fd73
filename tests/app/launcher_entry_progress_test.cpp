#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QTest>
#include <QVariantMap>

#include "platform/freedesktop/launcher_entry_progress.h"

namespace qrv {

// Collects the launcher-entry updates seen on the session bus.
class LauncherEntryListener : public QObject {
    Q_OBJECT

  public:
    QList<QPair<QString, QVariantMap>> updates;

  public slots:
    void Update(const QString& appUri, const QVariantMap& properties) {
        updates.append({appUri, properties});
    }
};

namespace {

TEST(LauncherEntryProgressTest, FractionOfDoneOverTotal) {
    struct Case {
        uint64_t done, total;
        double fraction;
    };
    for (Case c : {Case{0, 0, 0.0}, Case{3, 0, 0.0}, Case{1, 4, 0.25}, Case{4, 4, 1.0},
                   Case{9, 4, 1.0}, Case{0, 7, 0.0}}) {
        EXPECT_DOUBLE_EQ(LauncherEntryProgress::Fraction(c.done, c.total), c.fraction)
            << c.done << "/" << c.total;
    }
}

TEST(LauncherEntryProgressTest, SignalsProgressAndItsVisibilityOnTheSessionBus) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(bus.isConnected());
    LauncherEntryListener listener;
    ASSERT_TRUE(bus.connect(QString(), QString(), LauncherEntryProgress::kInterface,
                            LauncherEntryProgress::kSignal, &listener,
                            SLOT(Update(QString, QVariantMap))));
    LauncherEntryProgress progress;
    // Waits for an update of this program's entry with the given properties.
    auto seen = [&](double fraction, bool visible) {
        return QTest::qWaitFor(
            [&] {
                for (const auto& [uri, properties] : listener.updates) {
                    if (uri == QStringLiteral("application://quorvane.desktop") &&
                        properties.value(QStringLiteral("progress")).toDouble() == fraction &&
                        properties.value(QStringLiteral("progress-visible")).toBool() == visible) {
                        return true;
                    }
                }
                return false;
            },
            10000);
    };
    progress.SetValue(1, 4);
    EXPECT_TRUE(seen(0.25, true));
    listener.updates.clear();
    progress.SetState(TaskbarState::None);
    EXPECT_TRUE(seen(0.0, false));
    listener.updates.clear();
    progress.SetState(TaskbarState::Indeterminate);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !listener.updates.isEmpty(); }, 10000));
    EXPECT_TRUE(listener.updates[0].second.value(QStringLiteral("progress-visible")).toBool());
}

}  // namespace
}  // namespace qrv

#include "launcher_entry_progress_test.moc"
