#include "platform/freedesktop/dbus_toggle_requests.h"

#include <gio/gio.h>

#include "platform/freedesktop/bus_daemon.h"
#include "platform/freedesktop/session_bus.h"

namespace qrv {
namespace {

const char* const kObjectPath = "/org/tolbrin/Quorvane";
const char* const kInterface = "org.tolbrin.Quorvane.Instance";
const char* const kIntrospection =
    "<node><interface name='org.tolbrin.Quorvane.Instance'>"
    "<method name='ToggleSearch'/></interface></node>";

GDBusInterfaceInfo* InterfaceInfo() {
    static GDBusNodeInfo* const node = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
    return g_dbus_node_info_lookup_interface(node, kInterface);
}

}  // namespace

DBusToggleRequests::~DBusToggleRequests() {
    Withdraw();
}

void DBusToggleRequests::Withdraw() {
    if (m_service.empty()) {
        return;
    }
    BusDaemon::ReleaseName(m_service);
    g_dbus_connection_unregister_object(SessionBus::Connection(), m_object);
    m_service.clear();
    m_object = 0;
}

std::string DBusToggleRequests::ServiceName(int32_t instance) {
    return "org.tolbrin.Quorvane.Instance" + std::to_string(instance);
}

std::string DBusToggleRequests::Publish(int32_t instance) {
    GDBusConnection* bus = SessionBus::Connection();
    if (bus == nullptr) {
        return SessionBus::Missing();
    }
    if (!m_service.empty()) {
        return "this window already takes requests as " + m_service;
    }
    static const GDBusInterfaceVTable vtable{
        &DBusToggleRequests::OnMethodCall, nullptr, nullptr, {}};
    const unsigned int object = g_dbus_connection_register_object(bus, kObjectPath, InterfaceInfo(),
                                                                  &vtable, this, nullptr, nullptr);
    if (object == 0) {
        return "the object " + std::string(kObjectPath) + " is taken in this process";
    }
    const std::string name = ServiceName(instance);
    const BusDaemon::Claim claim = BusDaemon::RequestName(name);
    if (claim != BusDaemon::Claim::kOwned) {
        g_dbus_connection_unregister_object(bus, object);
        return claim == BusDaemon::Claim::kTaken ? HolderText(name)
                                                 : "the session bus did not answer";
    }
    m_service = name;
    m_object = object;
    return {};
}

std::string DBusToggleRequests::HolderText(const std::string& name) {
    std::string text = "the session-bus name " + name + " belongs to another process";
    if (const std::optional<uint32_t> pid = BusDaemon::OwnerProcess(name)) {
        text += " (process " + std::to_string(*pid) + ")";
    }
    return text;
}

void DBusToggleRequests::OnMethodCall(GDBusConnection*, const char*, const char*, const char*,
                                      const char*, GVariant*, GDBusMethodInvocation* invocation,
                                      void* self) {
    g_dbus_method_invocation_return_value(invocation, nullptr);
    // A copy: the handler may replace itself.
    if (const Handler handler = static_cast<DBusToggleRequests*>(self)->m_handler) {
        handler();
    }
}

ToggleRequests::SendResult DBusToggleRequests::Send(int32_t instance) {
    if (SessionBus::Connection() == nullptr) {
        return SendResult::NoChannel;
    }
    const std::string name = ServiceName(instance);
    if (!BusDaemon::HasOwner(name)) {
        return SendResult::NoInstance;
    }
    return SessionBus::Call(name.c_str(), kObjectPath, kInterface, "ToggleSearch", nullptr, "()")
               ? SendResult::Sent
               : SendResult::NoInstance;
}

}  // namespace qrv
