#include "platform/portal/portal_session.h"

#include <unistd.h>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>

namespace qrv {
namespace {

const char* const kScreenCast = "org.freedesktop.portal.ScreenCast";
const char* const kRemoteDesktop = "org.freedesktop.portal.RemoteDesktop";

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
    PortalRequest::CloseSession(m_session);
}

const char* PortalSession::Interface() const {
    return m_kind == Kind::RemoteDesktop ? kRemoteDesktop : kScreenCast;
}

bool PortalSession::Open(const std::string& restoreToken, int timeoutMs) {
    const QString session = QStringLiteral("quorvane%1").arg(getpid());
    if (!Request(nullptr, "CreateSession", {}, {{QStringLiteral("session_handle_token"), session}},
                 timeoutMs)) {
        return false;
    }
    m_session = m_request.Results().value(QStringLiteral("session_handle")).toString();
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
    m_streams = ParseStreams(m_request.Results().value(QStringLiteral("streams")));
    m_restoreToken =
        m_request.Results().value(QStringLiteral("restore_token")).toString().toStdString();
    return !m_streams.empty();
}

// Calls one portal method and notes the step when it fails.
bool PortalSession::Request(const char* interface, const char* method, QVariantList arguments,
                            QVariantMap options, int timeoutMs) {
    if (!m_request.Call(interface ? interface : Interface(), method, std::move(arguments),
                        std::move(options), timeoutMs)) {
        m_failedStep = method;
        m_failedCode = m_request.Code();
        return false;
    }
    m_failedStep.clear();
    m_failedCode = 0;
    return true;
}

bool PortalSession::NotifyPointer(const char* method, const QVariantList& arguments) {
    if (m_kind != Kind::RemoteDesktop || m_session.isEmpty()) {
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(PortalRequest::kService), QString::fromLatin1(PortalRequest::kPath),
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
        QString::fromLatin1(PortalRequest::kService), QString::fromLatin1(PortalRequest::kPath),
        QString::fromLatin1(kScreenCast), QStringLiteral("OpenPipeWireRemote"));
    call.setArguments({QVariant::fromValue(QDBusObjectPath(m_session)), QVariantMap()});
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return -1;
    }
    const auto fd = reply.arguments().constFirst().value<QDBusUnixFileDescriptor>();
    return fd.isValid() ? dup(fd.fileDescriptor()) : -1;
}

}  // namespace qrv
