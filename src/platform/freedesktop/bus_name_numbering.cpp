#include "platform/freedesktop/bus_name_numbering.h"

#include <set>
#include <string>
#include <vector>

#include "platform/freedesktop/bus_daemon.h"
#include "platform/freedesktop/dbus_toggle_requests.h"

namespace qrv {

int32_t BusNameNumbering::Number() {
    const std::vector<std::string> names = BusDaemon::Names();
    const std::set<std::string> taken(names.begin(), names.end());
    int32_t number = 1;
    while (taken.count(DBusToggleRequests::ServiceName(number)) != 0) {
        ++number;
    }
    return number;
}

}  // namespace qrv
