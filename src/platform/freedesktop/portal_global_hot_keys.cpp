#include "platform/freedesktop/portal_global_hot_keys.h"

#include <unistd.h>

#include <gio/gio.h>

#include <algorithm>
#include <array>

#include "platform/freedesktop/session_bus.h"
#include "platform/freedesktop/shortcut_trigger.h"

namespace qrv {
namespace {

const char* const kInterface = "org.freedesktop.portal.GlobalShortcuts";

struct ShortcutName {
    int id;
    const char* shortcut;
    const char* description;
};
constexpr std::array<ShortcutName, 2> kNames{{
    {hot_key_id::kStartSearch, "start-stop", "Start or stop the search"},
    {hot_key_id::kAddColor, "add-colour", "Add the colour under the mouse cursor"},
}};

std::string ShortcutId(int id) {
    for (const ShortcutName& n : kNames) {
        if (n.id == id) {
            return n.shortcut;
        }
    }
    return "hot-key-" + std::to_string(id);
}

std::string Description(int id) {
    for (const ShortcutName& n : kNames) {
        if (n.id == id) {
            return n.description;
        }
    }
    return "Hot key " + std::to_string(id);
}

// Whether the `shortcuts` of a portal answer list `id`.
bool Lists(const PortalRequest& answer, const std::string& id) {
    const GVariantPtr bound = answer.Result("shortcuts", "a(sa{sv})");
    const std::size_t count = bound ? g_variant_n_children(bound.get()) : 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char* shortcut = nullptr;
        g_variant_get_child(bound.get(), i, "(&s@a{sv})", &shortcut, nullptr);
        if (id == shortcut) {
            return true;
        }
    }
    return false;
}

}  // namespace

PortalGlobalHotKeys::PortalGlobalHotKeys(int timeoutMs)
    : m_timeoutMs(timeoutMs), m_context(g_main_context_ref_thread_default()) {}

PortalGlobalHotKeys::~PortalGlobalHotKeys() {
    if (m_activations != 0) {
        g_dbus_connection_signal_unsubscribe(SessionBus::Connection(), m_activations);
    }
    PortalRequest::CloseSession(m_session);
}

bool PortalGlobalHotKeys::Offered() {
    return PortalRequest::Offers(kInterface);
}

bool PortalGlobalHotKeys::OpenSession() {
    if (!m_session.empty()) {
        return true;
    }
    const std::string token = "quorvane" + std::to_string(getpid()) + "_keys";
    // Some portals (Plasma 5.27) bind only the shortcuts the session is created with.
    if (!m_request.Call(kInterface, "CreateSession", {},
                        {{"session_handle_token", g_variant_new_string(token.c_str())},
                         {"shortcuts", Shortcuts()}},
                        m_timeoutMs)) {
        return false;
    }
    const std::string session = m_request.Handle("session_handle");
    GDBusConnection* bus = SessionBus::Connection();
    if (session.empty() || bus == nullptr) {
        PortalRequest::CloseSession(session);
        return false;
    }
    // On this object's own context, not on a waiting call's.
    g_main_context_push_thread_default(m_context.get());
    m_activations = g_dbus_connection_signal_subscribe(
        bus, PortalRequest::kService, kInterface, "Activated", PortalRequest::kPath, nullptr,
        G_DBUS_SIGNAL_FLAGS_NONE, &PortalGlobalHotKeys::OnActivated, this, nullptr);
    g_main_context_pop_thread_default(m_context.get());
    m_session = session;
    return true;
}

bool PortalGlobalHotKeys::Register(int id, uint32_t modifiers, uint32_t virtualKey) {
    const std::string trigger = ShortcutTrigger(modifiers, virtualKey);
    const bool taken = std::any_of(m_triggers.begin(), m_triggers.end(), [&](const auto& held) {
        return held.first != id && held.second == trigger;
    });
    if (trigger.empty() || taken) {
        Unregister(id);
        return false;
    }
    m_triggers[id] = trigger;
    if (!OpenSession() || !Bind(id)) {
        m_triggers.erase(id);
        return false;
    }
    return true;
}

// The rest is bound again later: a Register that follows at once (a changed
// key) binds it along, and the user is not asked twice.
void PortalGlobalHotKeys::Unregister(int id) {
    if (m_triggers.erase(id) == 0 || m_rebind) {
        return;
    }
    m_rebind.reset(g_idle_source_new());
    g_source_set_callback(
        m_rebind.get(),
        [](gpointer self) {
            static_cast<PortalGlobalHotKeys*>(self)->Bind(0);
            return gboolean(G_SOURCE_REMOVE);
        },
        this, nullptr);
    g_source_attach(m_rebind.get(), m_context.get());
}

void PortalGlobalHotKeys::SetHandler(int id, Handler handler) {
    if (handler) {
        m_handlers[id] = std::move(handler);
    } else {
        m_handlers.erase(id);
    }
}

GVariant* PortalGlobalHotKeys::Shortcuts() const {
    GVariantBuilder shortcuts;
    g_variant_builder_init(&shortcuts, G_VARIANT_TYPE("a(sa{sv})"));
    for (const auto& [id, trigger] : m_triggers) {
        GVariantBuilder properties;
        g_variant_builder_init(&properties, G_VARIANT_TYPE_VARDICT);
        g_variant_builder_add(&properties, "{sv}", "description",
                              g_variant_new_string(Description(id).c_str()));
        g_variant_builder_add(&properties, "{sv}", "preferred_trigger",
                              g_variant_new_string(trigger.c_str()));
        g_variant_builder_add(&shortcuts, "(sa{sv})", ShortcutId(id).c_str(), &properties);
    }
    return g_variant_builder_end(&shortcuts);
}

bool PortalGlobalHotKeys::Bind(int mustHold) {
    m_rebind.reset();
    if (m_session.empty()) {
        return false;
    }
    const char* session = m_session.c_str();
    if (!m_request.Call(kInterface, "BindShortcuts",
                        {g_variant_new_object_path(session), Shortcuts(), g_variant_new_string("")},
                        {}, m_timeoutMs)) {
        return false;
    }
    if (mustHold == 0) {
        return true;
    }
    // A portal that bound the shortcut at CreateSession may leave it out of
    // BindShortcuts' answer; the session's own list has the last word.
    const std::string wanted = ShortcutId(mustHold);
    return Lists(m_request, wanted) ||
           (m_request.Call(kInterface, "ListShortcuts", {g_variant_new_object_path(session)}, {},
                           m_timeoutMs) &&
            Lists(m_request, wanted));
}

// Session handles come as object paths from some portals, as strings from others.
void PortalGlobalHotKeys::OnActivated(GDBusConnection*, const char*, const char*, const char*,
                                      const char*, GVariant* parameters, void* self) {
    if (!g_variant_is_of_type(parameters, G_VARIANT_TYPE("(osta{sv})")) &&
        !g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ssta{sv})"))) {
        return;
    }
    const GVariantPtr session(g_variant_get_child_value(parameters, 0));
    const char* shortcut = nullptr;
    g_variant_get_child(parameters, 1, "&s", &shortcut);
    auto* keys = static_cast<PortalGlobalHotKeys*>(self);
    if (keys->m_session == g_variant_get_string(session.get(), nullptr)) {
        keys->Activate(shortcut);
    }
}

void PortalGlobalHotKeys::Activate(const std::string& shortcut) {
    for (const auto& [id, trigger] : m_triggers) {
        if (ShortcutId(id) != shortcut) {
            continue;
        }
        if (auto found = m_handlers.find(id); found != m_handlers.end()) {
            Handler handler = found->second;  // the handler may replace itself
            handler(id);
        }
        return;
    }
}

}  // namespace qrv
