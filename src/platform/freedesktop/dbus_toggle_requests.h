#pragma once

#include <cstdint>
#include <string>

#include "core/desktop/toggle_requests.h"
#include "platform/freedesktop/glib_handles.h"

using GDBusConnection = struct _GDBusConnection;
using GDBusMethodInvocation = struct _GDBusMethodInvocation;

namespace qrv {

// Start/stop requests over the session bus: instance N owns the name
// org.tolbrin.Quorvane.Instance<N> and answers ToggleSearch() on the object
// /org/tolbrin/Quorvane. Requests are handled on the thread that published,
// by its default GLib main context (which Qt's event loop runs on the GUI
// thread). Send() is the client side; every call on the bus is bounded.
class DBusToggleRequests : public ToggleRequests {
  public:
    DBusToggleRequests() = default;
    ~DBusToggleRequests() override;
    DBusToggleRequests(const DBusToggleRequests&) = delete;
    DBusToggleRequests& operator=(const DBusToggleRequests&) = delete;

    std::string Publish(int32_t instance) override;
    void Withdraw() override;
    void SetHandler(Handler handler) override { m_handler = std::move(handler); }

    static std::string ServiceName(int32_t instance);
    // Asks instance `instance` to start or stop its search and waits for its answer.
    SendResult Send(int32_t instance) override;

  private:
    static void OnMethodCall(GDBusConnection* bus, const char* sender, const char* path,
                             const char* interface, const char* method, GVariant* parameters,
                             GDBusMethodInvocation* invocation, void* self);
    // Who holds `name` instead of this process, as far as the bus says.
    static std::string HolderText(const std::string& name);

    Handler m_handler;
    std::string m_service;
    unsigned int m_object = 0;  // the registration of the object on the bus
};

}  // namespace qrv
