#pragma once

#include <QDBusConnection>
#include <QString>
#include <string>

namespace qrv {

// The session bus, checked to answer before this process first talks to it.
// A bus that accepts connections but never answers (a stopped daemon, a stray
// socket) blocks a connection to it for good, Qt's own connections included:
// such a bus is left alone by the whole process from then on.
class SessionBus {
  public:
    // How long a call on the bus waits for its answer.
    static constexpr int kCallTimeoutMs = 5000;
    // How long the check waits for the bus to answer its handshake.
    static constexpr int kHandshakeTimeoutMs = 10000;

    // Checks once per process and gives the same answer afterwards: empty
    // when the bus answers or is not there at all, else why it is left alone.
    // Makes no Qt connection, so it can run before the application object.
    static const std::string& Check();
    // The session bus after the check, its interface()'s calls limited to
    // kCallTimeoutMs; not connected when there is none or it is left alone.
    static QDBusConnection Connection();
    // Why Connection() is not connected.
    static QString Missing();
};

}  // namespace qrv
