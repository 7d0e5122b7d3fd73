#include "platform/freedesktop/dbus_toggle_requests.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace qrv {
namespace {

const char* const kObjectPath = "/org/tolbrin/Quorvane";
const char* const kInterface = "org.tolbrin.Quorvane.Instance";

}  // namespace

DBusToggleRequests::~DBusToggleRequests() {
    Withdraw();
}

void DBusToggleRequests::Withdraw() {
    if (m_service.isEmpty()) {
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(QString::fromLatin1(kObjectPath));
    bus.unregisterService(m_service);
    m_service.clear();
}

QString DBusToggleRequests::ServiceName(int32_t instance) {
    return QStringLiteral("org.tolbrin.Quorvane.Instance%1").arg(instance);
}

bool DBusToggleRequests::Publish(int32_t instance) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !m_service.isEmpty()) {
        return false;
    }
    if (!bus.registerObject(QString::fromLatin1(kObjectPath), this,
                            QDBusConnection::ExportScriptableSlots)) {
        return false;
    }
    if (!bus.registerService(ServiceName(instance))) {
        bus.unregisterObject(QString::fromLatin1(kObjectPath));
        return false;
    }
    m_service = ServiceName(instance);
    return true;
}

void DBusToggleRequests::ToggleSearch() {
    if (m_handler) {
        m_handler();
    }
}

ToggleRequests::SendResult DBusToggleRequests::Send(int32_t instance) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return SendResult::NoChannel;
    }
    if (!bus.interface()->isServiceRegistered(ServiceName(instance))) {
        return SendResult::NoInstance;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        ServiceName(instance), QString::fromLatin1(kObjectPath), QString::fromLatin1(kInterface),
        QStringLiteral("ToggleSearch"));
    QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage ? SendResult::Sent : SendResult::NoInstance;
}

}  // namespace qrv
