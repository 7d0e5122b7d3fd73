#pragma once

#include <string>

#include "platform/freedesktop/glib_handles.h"

using GDBusConnection = struct _GDBusConnection;

namespace qrv {

// Owns a session-bus name on a connection of its own, as another process
// would, until destroyed.
class BusNameHolder {
  public:
    explicit BusNameHolder(std::string name);
    ~BusNameHolder();
    BusNameHolder(const BusNameHolder&) = delete;
    BusNameHolder& operator=(const BusNameHolder&) = delete;

    bool Holds() const { return m_holds; }

  private:
    std::string m_name;
    GRef<GDBusConnection> m_bus;
    bool m_holds = false;
};

}  // namespace qrv
