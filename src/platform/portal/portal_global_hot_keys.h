#pragma once

#include <QDBusObjectPath>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <map>
#include <string>

#include "core/desktop/global_hot_keys.h"
#include "platform/portal/portal_request.h"

namespace qrv {

struct PortalShortcut;

// Hot keys through the GlobalShortcuts interface of the desktop portal, for
// compositors that grab no keys for clients. The session is created with the
// set held then (Plasma 5.27 binds only those); changes bind the whole set
// again in it, each hot key as a shortcut with a stable id, a description
// and the stored combination as the preferred trigger; the portal (or the
// user, in its dialog) has the last word on the trigger. A hot key the
// portal does not list as bound is refused, as a key another client holds.
// Activations arrive on the thread that created the object (the GUI thread).
class PortalGlobalHotKeys : public QObject, public GlobalHotKeys {
    Q_OBJECT

  public:
    explicit PortalGlobalHotKeys(int timeoutMs) : m_timeoutMs(timeoutMs) {}
    ~PortalGlobalHotKeys() override;

    // Whether the portal on the session bus has the interface at all.
    static bool Offered();

    bool Register(int id, uint32_t modifiers, uint32_t virtualKey) override;
    void Unregister(int id) override;
    void SetHandler(int id, Handler handler) override;

  private slots:
    void OnActivated(const QDBusObjectPath& session, const QString& shortcut, qulonglong timestamp,
                     const QVariantMap& options);

  private:
    // Creates the portal session, with the set held, at the first hot key, so
    // that programs that register none never open one; false when the portal
    // refuses.
    bool OpenSession();
    // Binds every held combination; with `mustHold` other than 0, the portal
    // must also list that hot key among the shortcuts it bound.
    bool Bind(int mustHold);
    // Every held combination as the portal's shortcut list.
    QList<PortalShortcut> Shortcuts() const;

    int m_timeoutMs;
    PortalRequest m_request;
    QString m_session;
    std::map<int, std::string> m_triggers;
    std::map<int, Handler> m_handlers;
    bool m_rebindDue = false;
};

}  // namespace qrv
