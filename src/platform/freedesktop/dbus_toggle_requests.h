#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <cstdint>
#include <string>

#include "core/desktop/toggle_requests.h"

namespace qrv {

// Start/stop requests over the session bus: instance N owns the name
// org.tolbrin.Quorvane.Instance<N> and answers ToggleSearch() on the object
// /org/tolbrin/Quorvane. Send() is the client side.
class DBusToggleRequests : public QObject, public ToggleRequests {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tolbrin.Quorvane.Instance")

  public:
    DBusToggleRequests() = default;
    ~DBusToggleRequests() override;

    std::string Publish(int32_t instance) override;
    void Withdraw() override;
    void SetHandler(Handler handler) override { m_handler = std::move(handler); }

    static QString ServiceName(int32_t instance);
    // Asks instance `instance` to start or stop its search and waits for its answer.
    SendResult Send(int32_t instance) override;

  public slots:
    Q_SCRIPTABLE void ToggleSearch();

  private:
    static std::string HolderText(QDBusConnection& bus, const QString& name);

    Handler m_handler;
    QString m_service;
};

}  // namespace qrv
