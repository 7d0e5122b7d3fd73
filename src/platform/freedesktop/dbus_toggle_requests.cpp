#include "platform/freedesktop/dbus_toggle_requests.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

#include "platform/freedesktop/session_bus.h"

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
    QDBusConnection bus = SessionBus::Connection();
    bus.unregisterObject(QString::fromLatin1(kObjectPath));
    bus.unregisterService(m_service);
    m_service.clear();
}

QString DBusToggleRequests::ServiceName(int32_t instance) {
    return QStringLiteral("org.tolbrin.Quorvane.Instance%1").arg(instance);
}

std::string DBusToggleRequests::Publish(int32_t instance) {
    QDBusConnection bus = SessionBus::Connection();
    if (!bus.isConnected()) {
        return SessionBus::Missing().toStdString();
    }
    if (!m_service.isEmpty()) {
        return "this window already takes requests as " + m_service.toStdString();
    }
    if (!bus.registerObject(QString::fromLatin1(kObjectPath), this,
                            QDBusConnection::ExportScriptableSlots)) {
        return "the object " + std::string(kObjectPath) + " is taken in this process";
    }
    const QString name = ServiceName(instance);
    if (!bus.registerService(name)) {
        bus.unregisterObject(QString::fromLatin1(kObjectPath));
        return HolderText(bus, name);
    }
    m_service = name;
    return {};
}

// Who holds `name` instead of this process, as far as the bus says.
std::string DBusToggleRequests::HolderText(QDBusConnection& bus, const QString& name) {
    const QDBusReply<uint> pid = bus.interface()->servicePid(name);
    std::string text = "the session-bus name " + name.toStdString() + " belongs to another process";
    if (pid.isValid()) {
        text += " (process " + std::to_string(pid.value()) + ")";
    }
    return text;
}

void DBusToggleRequests::ToggleSearch() {
    if (m_handler) {
        m_handler();
    }
}

ToggleRequests::SendResult DBusToggleRequests::Send(int32_t instance) {
    QDBusConnection bus = SessionBus::Connection();
    if (!bus.isConnected()) {
        return SendResult::NoChannel;
    }
    if (!bus.interface()->isServiceRegistered(ServiceName(instance))) {
        return SendResult::NoInstance;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        ServiceName(instance), QString::fromLatin1(kObjectPath), QString::fromLatin1(kInterface),
        QStringLiteral("ToggleSearch"));
    QDBusMessage reply = bus.call(call, QDBus::Block, SessionBus::kCallTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage ? SendResult::Sent : SendResult::NoInstance;
}

}  // namespace qrv
