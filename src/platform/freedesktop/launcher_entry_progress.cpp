#include "platform/freedesktop/launcher_entry_progress.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include "platform/freedesktop/session_bus.h"

namespace qrv {

LauncherEntryProgress::LauncherEntryProgress(const QString& desktopFileName)
    : m_appUri(QStringLiteral("application://") + desktopFileName) {}

void LauncherEntryProgress::SetState(TaskbarState state) {
    QVariantMap properties;
    properties.insert(QStringLiteral("progress-visible"), state != TaskbarState::None);
    if (state == TaskbarState::None) {
        properties.insert(QStringLiteral("progress"), 0.0);
    }
    Send(properties);
}

void LauncherEntryProgress::SetValue(uint64_t done, uint64_t total) {
    QVariantMap properties;
    properties.insert(QStringLiteral("progress"), Fraction(done, total));
    properties.insert(QStringLiteral("progress-visible"), true);
    Send(properties);
}

double LauncherEntryProgress::Fraction(uint64_t done, uint64_t total) {
    if (total == 0) {
        return 0.0;
    }
    return done >= total ? 1.0 : double(done) / double(total);
}

bool LauncherEntryProgress::Send(const QVariantMap& properties) const {
    QDBusConnection bus = SessionBus::Connection();
    if (!bus.isConnected()) {
        return false;
    }
    QDBusMessage signal =
        QDBusMessage::createSignal(QString::fromLatin1(kObjectPath),
                                   QString::fromLatin1(kInterface), QString::fromLatin1(kSignal));
    signal << m_appUri << properties;
    return bus.send(signal);
}

}  // namespace qrv
