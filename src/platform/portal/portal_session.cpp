#include "platform/portal/portal_session.h"

#include <unistd.h>

#include <gio/gio.h>
#include <gio/gunixfdlist.h>

#include <atomic>
#include <optional>

#include "platform/freedesktop/session_bus.h"

namespace qrv {
namespace {

const char* const kScreenCast = "org.freedesktop.portal.ScreenCast";
const char* const kRemoteDesktop = "org.freedesktop.portal.RemoteDesktop";
constexpr int kCallTimeoutMs = 5000;

// Source type monitor; device types keyboard and pointer; persist until revoked.
constexpr uint32_t kMonitor = 1;
constexpr uint32_t kKeyboard = 1;
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
std::optional<Point> PairOf(GVariant* properties, const char* name) {
    const GVariantPtr value(g_variant_lookup_value(properties, name, G_VARIANT_TYPE("(ii)")));
    if (!value) {
        return std::nullopt;
    }
    Point p;
    g_variant_get(value.get(), "(ii)", &p.x, &p.y);
    return p;
}

GVariant* Argument(const PortalSession::InputArgument& argument) {
    if (const int32_t* i = std::get_if<int32_t>(&argument)) {
        return g_variant_new_int32(*i);
    }
    if (const uint32_t* u = std::get_if<uint32_t>(&argument)) {
        return g_variant_new_uint32(*u);
    }
    return g_variant_new_double(std::get<double>(argument));
}

}  // namespace

PortalSession::PortalSession(Kind kind) : m_kind(kind) {}

PortalSession::~PortalSession() {
    PortalRequest::CloseSession(m_session);
}

const char* PortalSession::Interface() const {
    return m_kind == Kind::RemoteDesktop ? kRemoteDesktop : kScreenCast;
}

std::vector<PortalSession::Stream> PortalSession::ParseStreams(GVariant* streams) {
    std::vector<Stream> parsed;
    if (streams == nullptr || !g_variant_is_of_type(streams, G_VARIANT_TYPE("a(ua{sv})"))) {
        return parsed;
    }
    const std::size_t count = g_variant_n_children(streams);
    for (std::size_t i = 0; i < count && parsed.size() < kMaxStreams; ++i) {
        Stream stream;
        GVariant* properties = nullptr;
        g_variant_get_child(streams, i, "(u@a{sv})", &stream.nodeId, &properties);
        const GVariantPtr owned(properties);
        const std::optional<Point> size = PairOf(properties, "size");
        if (!size || size->x <= 0 || size->y <= 0 || size->x > kMaxSide || size->y > kMaxSide) {
            continue;
        }
        stream.geometry = {PairOf(properties, "position"), size->x, size->y};
        if (const std::optional<Point>& p = stream.geometry.position;
            p &&
            (p->x < -kMaxOffset || p->x > kMaxOffset || p->y < -kMaxOffset || p->y > kMaxOffset)) {
            stream.geometry.position.reset();
        }
        parsed.push_back(stream);
    }
    return parsed;
}

// A remote desktop session persists as a whole: the token goes with its
// devices, and its screen-cast sources are not persisted on their own.
PortalRequest::Options PortalSession::PersistOptions(const std::string& restoreToken) const {
    PortalRequest::Options persist;
    if (m_persists) {
        persist.emplace_back("persist_mode", g_variant_new_uint32(kPersistUntilRevoked));
        if (!restoreToken.empty() && g_utf8_validate(restoreToken.c_str(), -1, nullptr)) {
            persist.emplace_back("restore_token", g_variant_new_string(restoreToken.c_str()));
        }
    }
    return persist;
}

bool PortalSession::Open(const std::string& restoreToken, int timeoutMs) {
    if (!OpenOnce(restoreToken, timeoutMs)) {
        return false;
    }
    if (!m_persists || restoreToken.empty() || (m_devices & kKeyboard)) {
        return true;
    }
    // Restored from a session granted fewer devices: asked again, the user
    // grants them all and the new token stands for them.
    PortalRequest::CloseSession(m_session);
    m_session.clear();
    m_streams.clear();
    m_restoreToken.clear();
    return OpenOnce({}, timeoutMs);
}

bool PortalSession::OpenOnce(const std::string& restoreToken, int timeoutMs) {
    m_persists = PortalRequest::Version(Interface()) >=
                 (m_kind == Kind::RemoteDesktop ? kRemoteDesktopPersists : kScreenCastPersists);
    // Unique per process, so that two sessions never share a handle.
    static std::atomic<uint32_t> sessions{0};
    const std::string token =
        "quorvane" + std::to_string(getpid()) + "_" + std::to_string(++sessions);
    if (!Request(nullptr, "CreateSession", {},
                 {{"session_handle_token", g_variant_new_string(token.c_str())}}, timeoutMs)) {
        return false;
    }
    m_session = m_request.Handle("session_handle");
    if (m_session.empty()) {
        m_failedStep = "CreateSession";
        m_failedCode = 2;  // an answer without a session: failed
        return false;
    }
    const char* handle = m_session.c_str();
    PortalRequest::Options sources{{"types", g_variant_new_uint32(kMonitor)},
                                   {"multiple", g_variant_new_boolean(TRUE)}};
    PortalRequest::Options persist = PersistOptions(restoreToken);
    if (m_kind == Kind::RemoteDesktop) {
        persist.emplace_back("types", g_variant_new_uint32(kKeyboard | kPointer));
        if (!Request(kRemoteDesktop, "SelectDevices", {g_variant_new_object_path(handle)},
                     std::move(persist), timeoutMs)) {
            return false;
        }
    } else {
        sources.insert(sources.end(), persist.begin(), persist.end());
    }
    if (!Request(kScreenCast, "SelectSources", {g_variant_new_object_path(handle)},
                 std::move(sources), timeoutMs) ||
        !Request(nullptr, "Start", {g_variant_new_object_path(handle), g_variant_new_string("")},
                 {}, timeoutMs)) {
        return false;
    }
    m_streams = ParseStreams(m_request.Result("streams", "a(ua{sv})").get());
    // A portal that does not say grants what was asked.
    const GVariantPtr devices = m_request.Result("devices", "u");
    m_devices = devices ? g_variant_get_uint32(devices.get()) : kKeyboard | kPointer;
    if (m_persists) {
        if (const GVariantPtr token = m_request.Result("restore_token", "s")) {
            m_restoreToken = g_variant_get_string(token.get(), nullptr);
        }
    }
    return !m_streams.empty();
}

// Calls one portal method and notes the step when it fails.
bool PortalSession::Request(const char* interface, const char* method,
                            std::vector<GVariant*> arguments, PortalRequest::Options options,
                            int timeoutMs) {
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

bool PortalSession::Notify(const char* method, const std::vector<InputArgument>& arguments) {
    if (m_kind != Kind::RemoteDesktop || m_session.empty()) {
        return false;
    }
    std::vector<GVariant*> values{g_variant_new_object_path(m_session.c_str()),
                                  g_variant_new("a{sv}", nullptr)};
    for (const InputArgument& argument : arguments) {
        values.push_back(Argument(argument));
    }
    // Waits for the answer, so that a press never overtakes the motion or
    // key before it.
    return SessionBus::Call(PortalRequest::kService, PortalRequest::kPath, kRemoteDesktop, method,
                            g_variant_new_tuple(values.data(), values.size()), nullptr,
                            kCallTimeoutMs) != nullptr;
}

int PortalSession::OpenPipeWireRemote() {
    GDBusConnection* bus = SessionBus::Connection();
    if (m_session.empty() || bus == nullptr) {
        return -1;
    }
    GUnixFDList* fds = nullptr;
    const GVariantPtr reply(g_dbus_connection_call_with_unix_fd_list_sync(
        bus, PortalRequest::kService, PortalRequest::kPath, kScreenCast, "OpenPipeWireRemote",
        g_variant_new("(oa{sv})", m_session.c_str(), nullptr), G_VARIANT_TYPE("(h)"),
        G_DBUS_CALL_FLAGS_NONE, kCallTimeoutMs, nullptr, &fds, nullptr, nullptr));
    const GRef<GUnixFDList> owned(fds);
    if (!reply || !fds) {
        return -1;
    }
    gint32 index = -1;
    g_variant_get(reply.get(), "(h)", &index);
    if (index < 0 || index >= g_unix_fd_list_get_length(fds)) {
        return -1;
    }
    // A duplicate, the caller's to close.
    return g_unix_fd_list_get(fds, index, nullptr);
}

}  // namespace qrv
