#include "platform/freedesktop/bus_daemon.h"

#include <gio/gio.h>

#include <algorithm>

#include "platform/freedesktop/session_bus.h"

namespace qrv {
namespace {

constexpr uint32_t kDoNotQueue = 4;
constexpr uint32_t kPrimaryOwner = 1;

GVariantPtr Ask(const char* method, GVariant* parameters, const char* replyType) {
    return SessionBus::Call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                            method, parameters, replyType);
}

std::vector<std::string> NameList(const char* method) {
    std::vector<std::string> names;
    if (const GVariantPtr reply = Ask(method, nullptr, "(as)")) {
        GVariantIter* iter = nullptr;
        const gchar* name = nullptr;
        g_variant_get(reply.get(), "(as)", &iter);
        while (g_variant_iter_next(iter, "&s", &name)) {
            names.emplace_back(name);
        }
        g_variant_iter_free(iter);
    }
    return names;
}

}  // namespace

bool BusDaemon::HasOwner(const std::string& name) {
    const GVariantPtr reply = Ask("NameHasOwner", g_variant_new("(s)", name.c_str()), "(b)");
    gboolean owned = FALSE;
    if (reply) {
        g_variant_get(reply.get(), "(b)", &owned);
    }
    return owned;
}

bool BusDaemon::IsActivatable(const std::string& name) {
    const std::vector<std::string> names = NameList("ListActivatableNames");
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool BusDaemon::Reachable(const std::string& name) {
    return HasOwner(name) || IsActivatable(name);
}

std::vector<std::string> BusDaemon::Names() {
    return NameList("ListNames");
}

BusDaemon::Claim BusDaemon::RequestName(const std::string& name) {
    const GVariantPtr reply =
        Ask("RequestName", g_variant_new("(su)", name.c_str(), kDoNotQueue), "(u)");
    if (!reply) {
        return Claim::kNoAnswer;
    }
    guint32 result = 0;
    g_variant_get(reply.get(), "(u)", &result);
    return result == kPrimaryOwner ? Claim::kOwned : Claim::kTaken;
}

void BusDaemon::ReleaseName(const std::string& name) {
    Ask("ReleaseName", g_variant_new("(s)", name.c_str()), "(u)");
}

std::optional<uint32_t> BusDaemon::OwnerProcess(const std::string& name) {
    const GVariantPtr reply =
        Ask("GetConnectionUnixProcessID", g_variant_new("(s)", name.c_str()), "(u)");
    if (!reply) {
        return std::nullopt;
    }
    guint32 pid = 0;
    g_variant_get(reply.get(), "(u)", &pid);
    return pid;
}

}  // namespace qrv
