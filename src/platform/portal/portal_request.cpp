#include "platform/portal/portal_request.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <atomic>

namespace qrv {
namespace {

const char* const kRequest = "org.freedesktop.portal.Request";

// Unique per process, so that two requests never share an answer path.
QString NextToken() {
    static std::atomic<uint32_t> next{0};
    return QStringLiteral("quorvane%1_%2").arg(getpid()).arg(++next);
}

// The answer is awaited in a Qt event loop, which needs an application object:
// a front end that has none (quorvane-cli) gets one here, for the rest of
// the process.
void EnsureApplicationObject() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "quorvane";
        static char* argv[] = {name, nullptr};
        static QCoreApplication application(argc, argv);
    }
}

}  // namespace

const char* const PortalRequest::kService = "org.freedesktop.portal.Desktop";
const char* const PortalRequest::kPath = "/org/freedesktop/portal/desktop";

bool PortalRequest::Call(const char* interface, const char* method, QVariantList arguments,
                         QVariantMap options, int timeoutMs) {
    EnsureApplicationObject();
    QDBusConnection bus = QDBusConnection::sessionBus();
    m_answered = false;
    m_results.clear();
    if (!bus.isConnected()) {
        return false;
    }
    const QString token = NextToken();
    options[QStringLiteral("handle_token")] = token;
    // The answer comes on a path known before the call: listen first.
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString path = QStringLiteral("%1/request/%2/%3").arg(kPath, sender, token);
    bus.connect(QString::fromLatin1(kService), path, QString::fromLatin1(kRequest),
                QStringLiteral("Response"), this, SLOT(OnResponse(uint, QVariantMap)));
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                       QString::fromLatin1(interface), QString::fromLatin1(method));
    arguments.append(options);
    call.setArguments(arguments);
    const QDBusMessage reply = bus.call(call, QDBus::Block, timeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        const QDeadlineTimer deadline(timeoutMs);
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (m_answered || deadline.hasExpired()) {
                loop.quit();
            }
        });
        poll.start(10);
        loop.exec();
    }
    bus.disconnect(QString::fromLatin1(kService), path, QString::fromLatin1(kRequest),
                   QStringLiteral("Response"), this, SLOT(OnResponse(uint, QVariantMap)));
    return m_answered && m_code == 0;
}

void PortalRequest::OnResponse(uint code, const QVariantMap& results) {
    m_answered = true;
    m_code = code;
    m_results = results;
}

void PortalRequest::CloseSession(const QString& session) {
    if (session.isEmpty()) {
        return;
    }
    QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(QString::fromLatin1(kService), session,
                                       QStringLiteral("org.freedesktop.portal.Session"),
                                       QStringLiteral("Close")),
        QDBus::Block, 2000);
}

bool PortalRequest::Offers(const char* interface) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return false;
    }
    const QString service = QString::fromLatin1(kService);
    if (!bus.interface()->isServiceRegistered(service) &&
        !bus.interface()->activatableServiceNames().value().contains(service)) {
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        service, QString::fromLatin1(kPath), QStringLiteral("org.freedesktop.DBus.Introspectable"),
        QStringLiteral("Introspect"));
    const QDBusMessage reply = bus.call(call, QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return false;
    }
    const QString xml = reply.arguments().constFirst().toString();
    return xml.contains(QStringLiteral("\"%1\"").arg(QString::fromLatin1(interface)));
}

uint32_t PortalRequest::Version(const char* interface) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << QString::fromLatin1(interface) << QStringLiteral("version");
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return 0;
    }
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toUInt();
}

}  // namespace qrv
