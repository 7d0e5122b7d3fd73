#include "platform/freedesktop/bus_name_numbering.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QSet>
#include <QStringList>

#include "platform/freedesktop/dbus_toggle_requests.h"
#include "platform/freedesktop/session_bus.h"

namespace qrv {

int32_t BusNameNumbering::Number() {
    QDBusConnection bus = SessionBus::Connection();
    if (!bus.isConnected()) {
        return 1;
    }
    const QStringList names = bus.interface()->registeredServiceNames().value();
    const QSet<QString> taken(names.begin(), names.end());
    int32_t number = 1;
    while (taken.contains(DBusToggleRequests::ServiceName(number))) {
        ++number;
    }
    return number;
}

}  // namespace qrv
