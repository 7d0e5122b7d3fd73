#include "platform/wayland/portal_session.h"

#include <unistd.h>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace qrv {
namespace {

const char* const kService = "org.freedesktop.portal.Desktop";
const char* const kPath = "/org/freedesktop/portal/desktop";
const char* const kScreenCast = "org.freedesktop.portal.ScreenCast";
const char* const kRemoteDesktop = "org.freedesktop.portal.RemoteDesktop";
const char* const kRequest = "org.freedesktop.portal.Request";

// Source type monitor; device type pointer; persist until revoked.
constexpr uint32_t kMonitor = 1;
constexpr uint32_t kPointer = 2;
constexpr uint32_t kPersistUntilRevoked = 2;

// The streams of Start's answer: a(ua{sv}).
std::vector<PortalSession::Stream> ParseStreams(const QVariant& value) {
    std::vector<PortalSession::Stream> streams;
    if (!value.canConvert<QDBusArgument>()) {
        return streams;
    }
    const QDBusArgument argument = value.value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        PortalSession::Stream stream;
        QVariantMap properties;
        argument.beginStructure();
        argument >> stream.nodeId >> properties;
        argument.endStructure();
        int x = 0, y = 0, w = 0, h = 0;
        if (properties.contains(QStringLiteral("position"))) {
            const QDBusArgument position =
                properties[QStringLiteral("position")].value<QDBusArgument>();
            position.beginStructure();
            position >> x >> y;
            position.endStructure();
        }
        if (properties.contains(QStringLiteral("size"))) {
            const QDBusArgument size = properties[QStringLiteral("size")].value<QDBusArgument>();
            size.beginStructure();
            size >> w >> h;
            size.endStructure();
        }
        stream.area = Rect{x, y, int32_t(int64_t(x) + w), int32_t(int64_t(y) + h)};
        streams.push_back(stream);
    }
    argument.endArray();
    return streams;
}

}  // namespace

PortalSession::PortalSession(Kind kind) : m_kind(kind) {}

PortalSession::~PortalSession() {
    if (!m_session.isEmpty()) {
        QDBusConnection::sessionBus().call(
            QDBusMessage::createMethodCall(QString::fromLatin1(kService), m_session,
                                           QStringLiteral("org.freedesktop.portal.Session"),
                                           QStringLiteral("Close")),
            QDBus::Block, 2000);
    }
}

QString PortalSession::Interface() const {
    return QString::fromLatin1(m_kind == Kind::RemoteDesktop ? kRemoteDesktop : kScreenCast);
}

bool PortalSession::Open(const std::string& restoreToken, int timeoutMs) {
    const QString session = QStringLiteral("quorvane%1").arg(getpid());
    if (!Request(nullptr, "CreateSession", {}, {{QStringLiteral("session_handle_token"), session}},
                 timeoutMs)) {
        return false;
    }
    m_session = m_results.value(QStringLiteral("session_handle")).toString();
    const QDBusObjectPath handle(m_session);
    // A remote desktop session persists as a whole: the token goes with its
    // devices, and its screen-cast sources are not persisted on their own.
    QVariantMap persist{{QStringLiteral("persist_mode"), kPersistUntilRevoked}};
    if (!restoreToken.empty()) {
        persist[QStringLiteral("restore_token")] = QString::fromStdString(restoreToken);
    }
    QVariantMap sources{{QStringLiteral("types"), kMonitor}, {QStringLiteral("multiple"), true}};
    if (m_kind == Kind::RemoteDesktop) {
        persist[QStringLiteral("types")] = kPointer;
        if (!Request(kRemoteDesktop, "SelectDevices", {QVariant::fromValue(handle)}, persist,
                     timeoutMs)) {
            return false;
        }
    } else {
        sources.insert(persist);
    }
    if (!Request(kScreenCast, "SelectSources", {QVariant::fromValue(handle)}, sources, timeoutMs) ||
        !Request(nullptr, "Start", {QVariant::fromValue(handle), QString()}, {}, timeoutMs)) {
        return false;
    }
    m_streams = ParseStreams(m_results.value(QStringLiteral("streams")));
    m_restoreToken = m_results.value(QStringLiteral("restore_token")).toString().toStdString();
    return !m_streams.empty();
}

// Calls one portal method with a fresh handle token and waits for its Response.
bool PortalSession::Request(const char* interface, const char* method, QVariantList arguments,
                            QVariantMap options, int timeoutMs) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    m_failedStep = method;
    if (!bus.isConnected()) {
        return false;
    }
    const QString token = QStringLiteral("quorvane%1_%2").arg(getpid()).arg(++m_nextToken);
    options[QStringLiteral("handle_token")] = token;
    // The answer comes on a path known before the call: listen first.
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString path = QStringLiteral("%1/request/%2/%3").arg(kPath, sender, token);
    m_bAnswered = false;
    bus.connect(QString::fromLatin1(kService), path, QString::fromLatin1(kRequest),
                QStringLiteral("Response"), this, SLOT(OnResponse(uint, QVariantMap)));
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath),
        interface ? QString::fromLatin1(interface) : Interface(), QString::fromLatin1(method));
    arguments.append(options);
    call.setArguments(arguments);
    const QDBusMessage reply = bus.call(call, QDBus::Block, timeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        const QDeadlineTimer deadline(timeoutMs);
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (m_bAnswered || deadline.hasExpired()) {
                loop.quit();
            }
        });
        poll.start(10);
        loop.exec();
    }
    bus.disconnect(QString::fromLatin1(kService), path, QString::fromLatin1(kRequest),
                   QStringLiteral("Response"), this, SLOT(OnResponse(uint, QVariantMap)));
    m_failedCode = m_bAnswered ? m_code : 0;
    if (!m_bAnswered || m_code != 0) {
        return false;
    }
    m_failedStep.clear();
    return true;
}

void PortalSession::OnResponse(uint code, const QVariantMap& results) {
    m_bAnswered = true;
    m_code = code;
    m_results = results;
}

bool PortalSession::NotifyPointer(const char* method, const QVariantList& arguments) {
    if (m_kind != Kind::RemoteDesktop || m_session.isEmpty()) {
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath),
        QString::fromLatin1(kRemoteDesktop), QString::fromLatin1(method));
    call.setArguments(QVariantList{QVariant::fromValue(QDBusObjectPath(m_session)), QVariantMap()} +
                      arguments);
    // Waits for the answer, so that a press never overtakes the motion before it.
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 5000).type() ==
           QDBusMessage::ReplyMessage;
}

int PortalSession::OpenPipeWireRemote() {
    if (m_session.isEmpty()) {
        return -1;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kScreenCast),
        QStringLiteral("OpenPipeWireRemote"));
    call.setArguments({QVariant::fromValue(QDBusObjectPath(m_session)), QVariantMap()});
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return -1;
    }
    const auto fd = reply.arguments().constFirst().value<QDBusUnixFileDescriptor>();
    return fd.isValid() ? dup(fd.fileDescriptor()) : -1;
}

}  // namespace qrv
