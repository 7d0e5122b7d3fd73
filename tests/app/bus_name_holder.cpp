#include "bus_name_holder.h"

#include <gio/gio.h>

#include <cstdlib>

namespace qrv {
namespace {

GVariantPtr CallBus(GDBusConnection* bus, const char* method, GVariant* parameters) {
    return TakeVariant(g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", method,
        parameters, nullptr, G_DBUS_CALL_FLAGS_NONE, 10000, nullptr, nullptr));
}

}  // namespace

BusNameHolder::BusNameHolder(std::string name) : m_name(std::move(name)) {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    m_bus.reset(address ? g_dbus_connection_new_for_address_sync(
                              address,
                              GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                   G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                              nullptr, nullptr, nullptr)
                        : nullptr);
    constexpr guint32 kDoNotQueue = 4, kPrimaryOwner = 1;
    const GVariantPtr reply = m_bus ? CallBus(m_bus.get(), "RequestName",
                                              g_variant_new("(su)", m_name.c_str(), kDoNotQueue))
                                    : nullptr;
    guint32 result = 0;
    if (reply) {
        g_variant_get(reply.get(), "(u)", &result);
    }
    m_holds = result == kPrimaryOwner;
}

BusNameHolder::~BusNameHolder() {
    if (m_holds) {
        CallBus(m_bus.get(), "ReleaseName", g_variant_new("(s)", m_name.c_str()));
    }
}

}  // namespace qrv
