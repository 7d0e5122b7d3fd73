#include "scripted_portal.h"

#include <QFile>

#include "platform/freedesktop/bus_daemon.h"
#include "platform/freedesktop/session_bus.h"

namespace qrv {
namespace {

const char* const kPortal = "org.freedesktop.portal.Desktop";

bool PortalOwned() {
    return BusDaemon::HasOwner(kPortal);
}

}  // namespace

bool ScriptedPortal::BusIsFree() {
    return SessionBus::Connection() != nullptr && !PortalOwned();
}

bool ScriptedPortal::Start(const QStringList& options, const QStringList& streams) {
    m_peer.start("python3",
                 QStringList{QCoreApplication::applicationDirPath() + "/apps/portal_peer.py"} +
                     options + QStringList{LogPath(), "token"} + streams);
    return m_peer.waitForReadyRead(20000) && m_peer.readLine().startsWith("ready");
}

void ScriptedPortal::Stop() {
    if (m_peer.state() == QProcess::NotRunning) {
        return;
    }
    m_peer.kill();
    m_peer.waitForFinished();
    // The bus hands the name on only once it has noticed the peer is gone.
    RunUntil([] { return !PortalOwned(); });
}

QStringList ScriptedPortal::Lines() const {
    QFile file(LogPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n')
                                          : QStringList{};
}

std::string ScriptedPortal::Logged(qsizetype from, qsizetype count) const {
    return Lines().mid(from, count).join(" | ").toStdString();
}

}  // namespace qrv
