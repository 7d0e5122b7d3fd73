#include "platform/atspi/accessibility_bus_switch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

#include "platform/freedesktop/session_bus.h"

namespace qrv {

namespace {

QDBusMessage StatusCall(const QString& method) {
    return QDBusMessage::createMethodCall("org.a11y.Bus", "/org/a11y/bus",
                                          "org.freedesktop.DBus.Properties", method);
}

}  // namespace

std::optional<bool> AccessibilityBusSwitch::IsEnabled() {
    QDBusMessage call = StatusCall("Get");
    call << QString("org.a11y.Status") << QString("IsEnabled");
    const QDBusMessage reply =
        SessionBus::Connection().call(call, QDBus::Block, SessionBus::kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return std::nullopt;
    }
    return qvariant_cast<QDBusVariant>(reply.arguments().first()).variant().toBool();
}

bool AccessibilityBusSwitch::Enable() {
    QDBusMessage call = StatusCall("Set");
    call << QString("org.a11y.Status") << QString("IsEnabled")
         << QVariant::fromValue(QDBusVariant(true));
    return SessionBus::Connection().call(call, QDBus::Block, SessionBus::kCallTimeoutMs).type() ==
           QDBusMessage::ReplyMessage;
}

}  // namespace qrv
