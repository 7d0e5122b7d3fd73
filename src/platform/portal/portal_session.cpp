#include "platform/portal/portal_session.h"

#include <unistd.h>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <atomic>
#include <cstdlib>
#include <optional>

namespace qrv {
namespace {

const char* const kScreenCast = "org.freedesktop.portal.ScreenCast";
const char* const kRemoteDesktop = "org.freedesktop.portal.RemoteDesktop";

// Source type monitor; device type pointer; persist until revoked.
constexpr uint32_t kMonitor = 1;
constexpr uint32_t kPointer = 2;
constexpr uint32_t kPersistUntilRevoked = 2;

// Hostile answers stay small: a few monitors of sane sizes and positions.
constexpr std::size_t kMaxStreams = 16;
constexpr int32_t kMaxSide = 1 << 16;
constexpr int32_t kMaxOffset = 1 << 24;

// The first portal versions that keep sessions.
constexpr uint32_t kRemoteDesktopPersists = 2;
constexpr uint32_t kScreenCastPersists = 4;

// An (ii) property of a stream; nullopt when it is missing or of another type.
std::optional<Point> PairOf(const QVariantMap& properties, const char* name) {
    const QVariant value = properties.value(QLatin1String(name));
    if (!value.canConvert<QDBusArgument>()) {
        return std::nullopt;
    }
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(ii)")) {
        return std::nullopt;
    }
    Point p;
    argument.beginStructure();
    argument >> p.x >> p.y;
    argument.endStructure();
    return p;
}

// The streams of Start's answer: a(ua{sv}). Streams without a usable size
// are left out.
std::vector<PortalSession::Stream> ParseStreams(const QVariant& value) {
    std::vector<PortalSession::Stream> streams;
    if (!value.canConvert<QDBusArgument>()) {
        return streams;
    }
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a(ua{sv})")) {
        return streams;
    }
    argument.beginArray();
    while (!argument.atEnd()) {
        PortalSession::Stream stream;
        QVariantMap properties;
        argument.beginStructure();
        argument >> stream.nodeId >> properties;
        argument.endStructure();
        const std::optional<Point> size = PairOf(properties, "size");
        if (!size || size->x <= 0 || size->y <= 0 || size->x > kMaxSide || size->y > kMaxSide ||
            streams.size() == kMaxStreams) {
            continue;
        }
        stream.geometry = {PairOf(properties, "position"), size->x, size->y};
        if (const std::optional<Point>& p = stream.geometry.position;
            p && (std::abs(p->x) > kMaxOffset || std::abs(p->y) > kMaxOffset)) {
            stream.geometry.position.reset();
        }
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
    m_persists = PortalRequest::Version(Interface()) >=
                 (m_kind == Kind::RemoteDesktop ? kRemoteDesktopPersists : kScreenCastPersists);
    // Unique per process, so that two sessions never share a handle.
    static std::atomic<uint32_t> sessions{0};
    const QString session = QStringLiteral("quorvane%1_%2").arg(getpid()).arg(++sessions);
    if (!Request(nullptr, "CreateSession", {}, {{QStringLiteral("session_handle_token"), session}},
                 timeoutMs)) {
        return false;
    }
    m_session = m_request.Results().value(QStringLiteral("session_handle")).toString();
    const QDBusObjectPath handle(m_session);
    // A remote desktop session persists as a whole: the token goes with its
    // devices, and its screen-cast sources are not persisted on their own.
    QVariantMap persist;
    if (m_persists) {
        persist[QStringLiteral("persist_mode")] = kPersistUntilRevoked;
        if (!restoreToken.empty()) {
            persist[QStringLiteral("restore_token")] = QString::fromStdString(restoreToken);
        }
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
    if (m_persists) {
        m_restoreToken =
            m_request.Results().value(QStringLiteral("restore_token")).toString().toStdString();
    }
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
