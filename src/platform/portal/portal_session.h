#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "core/base/geometry.h"
#include "platform/freedesktop/portal_request.h"
#include "platform/portal/monitor_placement.h"

namespace qrv {

// One session of the desktop portal (xdg-desktop-portal) that casts the
// screen, and with RemoteDesktop also takes pointer and keyboard input, on
// one session:
// CreateSession, SelectDevices (RemoteDesktop), SelectSources, Start, each
// answered by a Response signal. The user's consent is asked once per
// session. Where the portal keeps sessions (RemoteDesktop version 2 and
// later, ScreenCast 4 and later) the session asks to persist, and the
// restore token handed back lets a later session skip the question; older
// portals are asked no persistence at all (some refuse the request). A
// restored session keeps the devices it was first granted: one restored
// without a keyboard is closed and asked for afresh, without the token.
// Waits for the portal on a main context of its own: usable on any thread.
class PortalSession {
  public:
    enum class Kind { ScreenCast, RemoteDesktop };
    struct Stream {
        uint32_t nodeId = 0;
        StreamGeometry geometry;  // as the portal describes the stream
        Rect area;                // where its monitor is placed: left to the caller
    };
    // An argument of an input method, sent as D-Bus i, u or d.
    using InputArgument = std::variant<int32_t, uint32_t, double>;

    explicit PortalSession(Kind kind);
    ~PortalSession();
    PortalSession(const PortalSession&) = delete;
    PortalSession& operator=(const PortalSession&) = delete;

    // Runs the exchange up to Start; false when a step fails or goes
    // unanswered for `timeoutMs`. `restoreToken` may be empty.
    bool Open(const std::string& restoreToken, int timeoutMs);
    // The step that failed ("CreateSession", "Start", ...) and the portal's
    // response code (1: cancelled, 2: failed; 0 when it did not answer).
    const std::string& FailedStep() const { return m_failedStep; }
    uint32_t FailedCode() const { return m_failedCode; }
    // Whether the user declined or cancelled the portal's consent dialog.
    bool Declined() const { return m_failedCode == 1; }
    // Whether the portal keeps sessions: persistence was asked for and a
    // restore token is worth storing. Known once Open has run.
    bool Persists() const { return m_persists; }
    const std::vector<Stream>& Streams() const { return m_streams; }
    const std::string& RestoreToken() const { return m_restoreToken; }
    // A PipeWire remote for the session's streams; -1 on failure. The caller
    // owns the descriptor.
    int OpenPipeWireRemote();
    // Calls an input method of an open RemoteDesktop session
    // ("NotifyPointerMotionAbsolute", "NotifyKeyboardKeysym", ...) with the
    // arguments after its session handle and options; false when the portal
    // refuses (a device the user did not grant) or does not answer. Safe
    // from any thread.
    bool Notify(const char* method, const std::vector<InputArgument>& arguments);

    // The streams of Start's answer (a(ua{sv})); streams without a usable size
    // are left out.
    static std::vector<Stream> ParseStreams(GVariant* streams);

  private:
    bool OpenOnce(const std::string& restoreToken, int timeoutMs);
    bool Request(const char* interface, const char* method, std::vector<GVariant*> arguments,
                 PortalRequest::Options options, int timeoutMs);
    const char* Interface() const;
    // The persistence options of the session's first selection.
    PortalRequest::Options PersistOptions(const std::string& restoreToken) const;

    Kind m_kind;
    std::string m_session;
    std::string m_failedStep;
    uint32_t m_failedCode = 0;
    bool m_persists = false;
    uint32_t m_devices = 0;  // the device types Start granted
    std::vector<Stream> m_streams;
    std::string m_restoreToken;
    PortalRequest m_request;
};

}  // namespace qrv
