#pragma once

#include <map>
#include <string>

#include "core/desktop/global_hot_keys.h"
#include "platform/freedesktop/glib_handles.h"
#include "platform/freedesktop/portal_request.h"

using GDBusConnection = struct _GDBusConnection;

namespace qrv {

// Hot keys through the GlobalShortcuts interface of the desktop portal, for
// compositors that grab no keys for clients. The session is created with the
// set held then (Plasma 5.27 binds only those); changes bind the whole set
// again in it, each hot key as a shortcut with a stable id, a description
// and the stored combination as the preferred trigger; the portal (or the
// user, in its dialog) has the last word on the trigger. A hot key the
// portal does not list as bound is refused, as a key another client holds.
// Activations arrive on the thread that created the object, through its
// default GLib main context (which Qt's event loop runs on the GUI thread).
class PortalGlobalHotKeys : public GlobalHotKeys {
  public:
    explicit PortalGlobalHotKeys(int timeoutMs);
    ~PortalGlobalHotKeys() override;
    PortalGlobalHotKeys(const PortalGlobalHotKeys&) = delete;
    PortalGlobalHotKeys& operator=(const PortalGlobalHotKeys&) = delete;

    // Whether the portal on the session bus has the interface at all.
    static bool Offered();

    bool Register(int id, uint32_t modifiers, uint32_t virtualKey) override;
    void Unregister(int id) override;
    void SetHandler(int id, Handler handler) override;

  private:
    static void OnActivated(GDBusConnection* bus, const char* sender, const char* path,
                            const char* interface, const char* signal, GVariant* parameters,
                            void* self);
    // Creates the portal session, with the set held, at the first hot key, so
    // that programs that register none never open one; false when the portal
    // refuses.
    bool OpenSession();
    // Binds every held combination; with `mustHold` other than 0, the portal
    // must also list that hot key among the shortcuts it bound.
    bool Bind(int mustHold);
    // Every held combination as the portal's shortcut list (a floating a(sa{sv})).
    GVariant* Shortcuts() const;
    void Activate(const std::string& shortcut);

    int m_timeoutMs;
    GMainContextPtr m_context;  // where activations and the deferred binding run
    PortalRequest m_request;
    std::string m_session;
    unsigned int m_activations = 0;  // the subscription to Activated
    std::map<int, std::string> m_triggers;
    std::map<int, Handler> m_handlers;
    GSourcePtr m_rebind;  // a binding of the whole set, due soon
};

}  // namespace qrv
