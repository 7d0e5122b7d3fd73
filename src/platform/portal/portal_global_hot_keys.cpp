#include "platform/portal/portal_global_hot_keys.h"

#include <unistd.h>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QList>
#include <QTimer>
#include <algorithm>
#include <array>

#include "platform/portal/shortcut_trigger.h"

namespace qrv {

// One entry of the portal's shortcut lists: a(sa{sv}).
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

}  // namespace qrv

Q_DECLARE_METATYPE(qrv::PortalShortcut)

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

QString ShortcutId(int id) {
    for (const ShortcutName& n : kNames) {
        if (n.id == id) {
            return QString::fromLatin1(n.shortcut);
        }
    }
    return QStringLiteral("hot-key-%1").arg(id);
}

QString Description(int id) {
    for (const ShortcutName& n : kNames) {
        if (n.id == id) {
            return QString::fromLatin1(n.description);
        }
    }
    return QStringLiteral("Hot key %1").arg(id);
}

// Whether the `shortcuts` of a portal answer (a(sa{sv})) list `id`.
bool Lists(const QVariantMap& results, const QString& id) {
    const QVariant bound = results.value(QStringLiteral("shortcuts"));
    if (!bound.canConvert<QDBusArgument>()) {
        return false;
    }
    const QDBusArgument argument = bound.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a(sa{sv})")) {
        return false;
    }
    QList<PortalShortcut> list;
    argument >> list;
    return std::any_of(list.begin(), list.end(),
                       [&](const PortalShortcut& s) { return s.id == id; });
}

// Session handles come as object paths from some portals, as strings from others.
QString PathOf(const QVariant& value) {
    return value.canConvert<QDBusObjectPath>() ? value.value<QDBusObjectPath>().path()
                                               : value.toString();
}

}  // namespace

PortalGlobalHotKeys::~PortalGlobalHotKeys() {
    PortalRequest::CloseSession(m_session);
}

bool PortalGlobalHotKeys::Offered() {
    return PortalRequest::Offers(kInterface);
}

bool PortalGlobalHotKeys::OpenSession() {
    if (!m_session.isEmpty()) {
        return true;
    }
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    const QString token = QStringLiteral("quorvane%1_keys").arg(getpid());
    // Some portals (Plasma 5.27) bind only the shortcuts the session is created with.
    if (!m_request.Call(kInterface, "CreateSession", {},
                        {{QStringLiteral("session_handle_token"), token},
                         {QStringLiteral("shortcuts"), QVariant::fromValue(Shortcuts())}},
                        m_timeoutMs)) {
        return false;
    }
    const QString session = PathOf(m_request.Results().value(QStringLiteral("session_handle")));
    if (session.isEmpty() ||
        !QDBusConnection::sessionBus().connect(
            QString::fromLatin1(PortalRequest::kService), QString::fromLatin1(PortalRequest::kPath),
            QString::fromLatin1(kInterface), QStringLiteral("Activated"), this,
            SLOT(OnActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)))) {
        PortalRequest::CloseSession(session);
        return false;
    }
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
    if (m_triggers.erase(id) == 0 || m_rebindDue) {
        return;
    }
    m_rebindDue = true;
    QTimer::singleShot(0, this, [this] {
        if (m_rebindDue) {
            Bind(0);
        }
    });
}

void PortalGlobalHotKeys::SetHandler(int id, Handler handler) {
    if (handler) {
        m_handlers[id] = std::move(handler);
    } else {
        m_handlers.erase(id);
    }
}

QList<PortalShortcut> PortalGlobalHotKeys::Shortcuts() const {
    QList<PortalShortcut> shortcuts;
    for (const auto& [id, trigger] : m_triggers) {
        shortcuts.append(
            {ShortcutId(id),
             {{QStringLiteral("description"), Description(id)},
              {QStringLiteral("preferred_trigger"), QString::fromStdString(trigger)}}});
    }
    return shortcuts;
}

bool PortalGlobalHotKeys::Bind(int mustHold) {
    m_rebindDue = false;
    const QDBusObjectPath session(m_session);
    if (!m_request.Call(kInterface, "BindShortcuts",
                        {QVariant::fromValue(session), QVariant::fromValue(Shortcuts()), QString()},
                        {}, m_timeoutMs)) {
        return false;
    }
    if (mustHold == 0) {
        return true;
    }
    // A portal that bound the shortcut at CreateSession may leave it out of
    // BindShortcuts' answer; the session's own list has the last word.
    const QString wanted = ShortcutId(mustHold);
    return Lists(m_request.Results(), wanted) ||
           (m_request.Call(kInterface, "ListShortcuts", {QVariant::fromValue(session)}, {},
                           m_timeoutMs) &&
            Lists(m_request.Results(), wanted));
}

void PortalGlobalHotKeys::OnActivated(const QDBusObjectPath& session, const QString& shortcut,
                                      qulonglong, const QVariantMap&) {
    if (session.path() != m_session) {
        return;
    }
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
