#include "platform/freedesktop/portal_request.h"

#include <unistd.h>

#include <gio/gio.h>

#include <algorithm>
#include <atomic>

#include "platform/freedesktop/bus_daemon.h"
#include "platform/freedesktop/scoped_main_context.h"
#include "platform/freedesktop/session_bus.h"

namespace qrv {
namespace {

const char* const kRequest = "org.freedesktop.portal.Request";
constexpr int kCloseTimeoutMs = 2000;
constexpr int kIntrospectTimeoutMs = 10000;

// Unique per process, so that two requests never share an answer path.
std::string NextToken() {
    static std::atomic<uint32_t> next{0};
    return "quorvane" + std::to_string(getpid()) + "_" + std::to_string(++next);
}

// The path the portal answers a request of this connection on: the unique
// name without its colon, dots turned into underscores.
std::string RequestPath(GDBusConnection* bus, const std::string& token) {
    std::string sender = g_dbus_connection_get_unique_name(bus) + 1;
    std::replace(sender.begin(), sender.end(), '.', '_');
    return std::string(PortalRequest::kPath) + "/request/" + sender + "/" + token;
}

struct Answer {
    bool answered = false;
    uint32_t code = 0;
    GVariantPtr results;
};

void OnResponse(GDBusConnection*, const char*, const char*, const char*, const char*,
                GVariant* parameters, gpointer data) {
    auto* answer = static_cast<Answer*>(data);
    if (answer->answered || !g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ua{sv})"))) {
        return;
    }
    GVariant* results = nullptr;
    g_variant_get(parameters, "(u@a{sv})", &answer->code, &results);
    answer->results.reset(results);
    answer->answered = true;
}

GVariant* OptionsOf(PortalRequest::Options& options) {
    GVariantBuilder builder;
    g_variant_builder_init(&builder, G_VARIANT_TYPE_VARDICT);
    for (auto& [name, value] : options) {
        g_variant_builder_add(&builder, "{sv}", name, value);
    }
    return g_variant_builder_end(&builder);
}

}  // namespace

const char* const PortalRequest::kService = "org.freedesktop.portal.Desktop";
const char* const PortalRequest::kPath = "/org/freedesktop/portal/desktop";

bool PortalRequest::Call(const char* interface, const char* method,
                         std::vector<GVariant*> arguments, Options options, int timeoutMs) {
    const std::string token = NextToken();
    options.emplace_back("handle_token", g_variant_new_string(token.c_str()));
    arguments.push_back(OptionsOf(options));
    const GVariantPtr parameters =
        TakeVariant(g_variant_new_tuple(arguments.data(), arguments.size()));
    m_answered = false;
    m_results.reset();
    GDBusConnection* bus = SessionBus::Connection();
    if (bus == nullptr) {
        return false;
    }
    Answer answer;
    {
        // The answer comes on a path known before the call: listen first.
        ScopedMainContext context;
        const unsigned int subscription = g_dbus_connection_signal_subscribe(
            bus, kService, kRequest, "Response", RequestPath(bus, token).c_str(), nullptr,
            G_DBUS_SIGNAL_FLAGS_NONE, &OnResponse, &answer, nullptr);
        const GVariantPtr reply(g_dbus_connection_call_sync(
            bus, kService, kPath, interface, method, parameters.get(), G_VARIANT_TYPE("(o)"),
            G_DBUS_CALL_FLAGS_NONE, timeoutMs, nullptr, nullptr));
        if (reply) {
            context.RunUntil([&] { return answer.answered; }, timeoutMs);
        }
        g_dbus_connection_signal_unsubscribe(bus, subscription);
    }
    m_answered = answer.answered;
    m_code = answer.code;
    m_results = std::move(answer.results);
    return m_answered && m_code == 0;
}

GVariantPtr PortalRequest::Result(const char* key, const char* type) const {
    if (!m_results) {
        return nullptr;
    }
    return GVariantPtr(g_variant_lookup_value(m_results.get(), key, G_VARIANT_TYPE(type)));
}

std::string PortalRequest::Handle(const char* key) const {
    GVariantPtr value = Result(key, "o");
    if (!value) {
        value = Result(key, "s");
    }
    const char* text = value ? g_variant_get_string(value.get(), nullptr) : "";
    return g_variant_is_object_path(text) ? text : "";
}

void PortalRequest::CloseSession(const std::string& session) {
    if (session.empty()) {
        return;
    }
    SessionBus::Call(kService, session.c_str(), "org.freedesktop.portal.Session", "Close", nullptr,
                     nullptr, kCloseTimeoutMs);
}

bool PortalRequest::Offers(const char* interface) {
    if (SessionBus::Connection() == nullptr || !BusDaemon::Reachable(kService)) {
        return false;
    }
    const GVariantPtr reply =
        SessionBus::Call(kService, kPath, "org.freedesktop.DBus.Introspectable", "Introspect",
                         nullptr, "(s)", kIntrospectTimeoutMs);
    if (!reply) {
        return false;
    }
    const char* xml = nullptr;
    g_variant_get(reply.get(), "(&s)", &xml);
    return std::string(xml).find("\"" + std::string(interface) + "\"") != std::string::npos;
}

uint32_t PortalRequest::Version(const char* interface) {
    const GVariantPtr reply =
        SessionBus::Call(kService, kPath, "org.freedesktop.DBus.Properties", "Get",
                         g_variant_new("(ss)", interface, "version"), "(v)", kIntrospectTimeoutMs);
    if (!reply) {
        return 0;
    }
    GVariant* value = nullptr;
    g_variant_get(reply.get(), "(v)", &value);
    const GVariantPtr owned(value);
    return g_variant_is_of_type(value, G_VARIANT_TYPE_UINT32) ? g_variant_get_uint32(value) : 0;
}

}  // namespace qrv
