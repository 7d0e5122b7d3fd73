#pragma once

#include <string>

#include "platform/freedesktop/glib_handles.h"

using GDBusConnection = struct _GDBusConnection;

namespace qrv {

// The session bus, checked to answer before this process first talks to it.
// A bus that accepts connections but never answers (a stopped daemon, a stray
// socket) blocks a connection to it for good, Qt's own connections included:
// such a bus is left alone by the whole process from then on.
class SessionBus {
  public:
    // How long a call on the bus waits for its answer.
    static constexpr int kCallTimeoutMs = 5000;
    // How long the check and the connection wait for the bus's handshake.
    static constexpr int kHandshakeTimeoutMs = 10000;

    // Checks once per process and gives the same answer afterwards: empty
    // when the bus answers or is not there at all, else why it is left alone.
    // Connects to nothing that stays, so it can run before any library does.
    static const std::string& Check();
    // The process's connection to the session bus, made at the first call
    // after the check (no bus is started for it); null when there is none,
    // it is left alone or it did not let the process in within the
    // handshake's time. Safe from any thread.
    static GDBusConnection* Connection();
    // Why Connection() is null.
    static std::string Missing();
    // Calls `method` and waits for its answer at most `timeoutMs`: the
    // answer, a tuple of `replyType` (checked when given), or null on any
    // failure. `parameters` is a tuple or null; a floating one is consumed.
    static GVariantPtr Call(const char* service, const char* path, const char* interface,
                            const char* method, GVariant* parameters, const char* replyType,
                            int timeoutMs = kCallTimeoutMs);
};

}  // namespace qrv
