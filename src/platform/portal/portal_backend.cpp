#include "platform/portal/portal_backend.h"

#include <unistd.h>
#include <algorithm>
#include <cstdlib>

#include "platform/freedesktop/linux_desktop_services.h"
#include "platform/freedesktop/portal_hot_keys.h"
#include "platform/freedesktop/portal_request.h"
#include "platform/freedesktop/portal_timeouts.h"
#include "platform/portal/monitor_placement.h"
#include "platform/portal/pipewire_screen_source.h"
#include "platform/portal/pipewire_stream.h"
#include "platform/portal/portal_input_injector.h"
#include "platform/portal/portal_keyboard_injector.h"
#include "platform/portal/portal_session.h"
#include "platform/portal/stream_display_layout.h"
#include "platform/portal/unlisted_windows.h"
#include "platform/wayland_client/compositor_keymap.h"
#include "platform/wayland_client/layout_keysyms.h"
#include "platform/wayland_client/wayland_display.h"

namespace qrv::portal {

namespace {

// Where the portal's restore token is kept: later sessions ask nothing.
const char* const kTokenSection = "Settings";
const char* const kTokenKey = "PortalRestoreToken";
// Bounds the first frame of each stream.
constexpr int kFirstFrameMs = 5000;

bool FitsSession() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    return name != nullptr && *name != '\0' &&
           PortalRequest::Offers("org.freedesktop.portal.RemoteDesktop") &&
           PortalRequest::Offers("org.freedesktop.portal.ScreenCast");
}

// The compositor's own outputs in its order, read over WAYLAND_DISPLAY
// (wl_output and xdg-output, which KWin and mutter offer); empty when it
// cannot be reached.
std::vector<Rect> CompositorOutputs() {
    std::shared_ptr<WaylandDisplay> display = WaylandDisplay::Open();
    return display ? display->Layout().Screens() : std::vector<Rect>{};
}

// The keysyms of the compositor's keyboard layout; unknown when it cannot be
// read.
LayoutKeysyms CompositorLayout() {
    std::shared_ptr<WaylandDisplay> display = WaylandDisplay::Open();
    return display ? LayoutKeysyms(CompositorKeymap(*display)) : LayoutKeysyms();
}

// The session's streams with their monitors placed; the compositor is asked
// only when the portal leaves a position out.
std::vector<PortalSession::Stream> PlacedStreams(const PortalSession& session) {
    std::vector<PortalSession::Stream> streams = session.Streams();
    std::vector<StreamGeometry> geometries;
    for (const PortalSession::Stream& s : streams) {
        geometries.push_back(s.geometry);
    }
    const bool unplaced = std::any_of(geometries.begin(), geometries.end(),
                                      [](const StreamGeometry& g) { return !g.position; });
    const std::vector<Rect> areas =
        PlaceMonitors(geometries, unplaced ? CompositorOutputs() : std::vector<Rect>{});
    for (std::size_t i = 0; i < streams.size(); ++i) {
        streams[i].area = areas[i];
    }
    return streams;
}

// One RemoteDesktop session of the desktop portal with the monitors cast over
// PipeWire, kept for the life of the process. Where the portal keeps sessions
// the restore token of the profile skips the consent question and the one
// handed back replaces it. A declined consent stores nothing. There is no
// window list.
void AddSessionServices(DesktopPlatform& p) {
    auto session = std::make_shared<PortalSession>(PortalSession::Kind::RemoteDesktop);
    const std::string token = p.profile->GetString(kTokenSection, kTokenKey, {});
    if (!session->Open(token, kPortalAnswerMs)) {
        if (session->Declined()) {
            p.sessionFailure = SessionFailure::kDeclined;
        }
        return;
    }
    if (!session->RestoreToken().empty() && session->RestoreToken() != token &&
        p.profile->WriteString(kTokenSection, kTokenKey, session->RestoreToken())) {
        p.profile->Save();
    }
    // One remote each: a PipeWire connection serves one stream here.
    std::vector<PipeWireScreenSource::Monitor> monitors;
    std::vector<PortalSession::Stream> kept;
    std::vector<Rect> areas;
    for (const PortalSession::Stream& s : PlacedStreams(*session)) {
        const int remote = session->OpenPipeWireRemote();
        if (remote < 0) {
            return;
        }
        auto stream = PipeWireStream::Connect(remote, s.nodeId);
        close(remote);
        if (stream) {
            monitors.push_back({std::move(stream), s.area});
            kept.push_back(s);
            areas.push_back(s.area);
        }
    }
    if (monitors.empty()) {
        return;
    }
    p.screen = std::make_unique<PipeWireScreenSource>(std::move(monitors), kFirstFrameMs);
    p.input = std::make_unique<PortalInputInjector>(session, std::move(kept));
    p.keyboard = std::make_unique<PortalKeyboardInjector>(session, CompositorLayout());
    p.layout = std::make_unique<StreamDisplayLayout>(std::move(areas));
    p.windows = std::make_unique<UnlistedWindows>();
    p.activator = std::make_unique<UnlistedWindows>();
    AddPortalHotKeys(p);
}

std::unique_ptr<DesktopPlatform> Open(PlatformReach reach) {
    return OpenLinuxDesktop(kBackend.name, reach, &AddSessionServices);
}

}  // namespace

const Backend kBackend{"portal", &FitsSession, &Open,
                       "is the desktop portal running, with screen casts and remote desktop "
                       "sessions over PipeWire?"};

}  // namespace qrv::portal
