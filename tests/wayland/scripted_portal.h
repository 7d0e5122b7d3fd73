#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <string>

namespace qrv {

// The scripted desktop portal of apps/portal_peer.py on a session bus where
// no other portal runs (tests/wayland/with-sway.sh without --portal), and
// the lines it logs.
class ScriptedPortal {
  public:
    ~ScriptedPortal() { Stop(); }

    // Whether the session bus is there and no portal owns the name.
    static bool BusIsFree();
    // Starts the peer with `options` and `streams` (see the script) and waits
    // until it owns the portal's name; false when it does not.
    bool Start(const QStringList& options, const QStringList& streams = {});
    // Ends the peer and waits until the bus has let its name go, so that the
    // next peer finds the name free.
    void Stop();

    QStringList Lines() const;
    // The logged lines from `from` on, `count` of them (-1: all), joined by " | ".
    std::string Logged(qsizetype from, qsizetype count = -1) const;

    // Runs Qt's events, which take in the platform's D-Bus signals from the
    // default GLib main context as in the GUI, until `done` holds (bounded);
    // whether it did.
    template <typename Done>
    static bool RunUntil(Done done) {
        const QDeadlineTimer deadline(20000);
        while (!done() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        return done();
    }

    QString LogPath() const { return m_dir.filePath("portal.log"); }

  private:
    QTemporaryDir m_dir;
    QProcess m_peer;
};

}  // namespace qrv
