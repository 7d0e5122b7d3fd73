#include "platform/wayland/wayland_backend.h"

#include <unistd.h>
#include <cstdlib>

#include "platform/desktop/bus_name_numbering.h"
#include "platform/desktop/linux_desktop_services.h"
#include "platform/desktop/sound_theme_beeper.h"
#include "platform/wayland/pipewire_screen_source.h"
#include "platform/wayland/pipewire_stream.h"
#include "platform/wayland/portal_global_hot_keys.h"
#include "platform/wayland/portal_input_injector.h"
#include "platform/wayland/portal_request.h"
#include "platform/wayland/portal_session.h"
#include "platform/wayland/stream_display_layout.h"
#include "platform/wayland/unlisted_windows.h"
#include "platform/wayland/wayland_display.h"
#include "platform/wayland/wayland_display_layout.h"
#include "platform/wayland/wayland_input_injector.h"
#include "platform/wayland/wayland_screen_source.h"
#include "platform/wayland/wayland_top_level_windows.h"
#include "platform/wayland/wayland_toplevel_list.h"
#include "platform/wayland/wayland_window_activator.h"

namespace qrv::wayland {

namespace {

// Where the portal's restore token is kept: later sessions ask nothing.
const char* const kTokenSection = "Settings";
const char* const kTokenKey = "PortalRestoreToken";
// Bounds the portal's answers (the consent dialog waits for the user) and
// the first frame of each stream.
constexpr int kPortalTimeoutMs = 120000;
constexpr int kFirstFrameMs = 5000;

bool OffersWlrootsPaths(const WaylandDisplay& display) {
    return display.Offers("zwlr_screencopy_manager_v1") &&
           display.Offers("zwlr_virtual_pointer_manager_v1");
}

// Whether the desktop portal on the session bus offers both interfaces of
// the portal path.
bool OffersPortalPaths() {
    return PortalRequest::Offers("org.freedesktop.portal.RemoteDesktop") &&
           PortalRequest::Offers("org.freedesktop.portal.ScreenCast");
}

bool FitsSession() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (name == nullptr || *name == '\0') {
        return false;
    }
    std::shared_ptr<WaylandDisplay> display = WaylandDisplay::Open();
    return (display && OffersWlrootsPaths(*display)) || OffersPortalPaths();
}

// wlroots compositors: each service holds its own compositor connection.
bool AddWlrootsServices(DesktopPlatform& p) {
    auto screen = std::make_unique<WaylandScreenSource>();
    auto input = std::make_unique<WaylandInputInjector>();
    if (!screen->Connected() || !input->Connected()) {
        return false;
    }
    p.screen = std::move(screen);
    p.input = std::move(input);
    p.layout = std::make_unique<WaylandDisplayLayout>();
    auto list = std::make_shared<WaylandToplevelList>();
    p.windows = std::make_unique<WaylandTopLevelWindows>(list);
    p.activator = std::make_unique<WaylandWindowActivator>(list);
    return true;
}

// Any other compositor: one RemoteDesktop session of the desktop portal with
// the monitors cast over PipeWire. The restore token of the profile skips the
// consent question; the one handed back replaces it. There is no window list.
void AddPortalServices(DesktopPlatform& p) {
    auto session = std::make_shared<PortalSession>(PortalSession::Kind::RemoteDesktop);
    const std::string token = p.profile->GetString(kTokenSection, kTokenKey, {});
    if (!session->Open(token, kPortalTimeoutMs)) {
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
    for (const PortalSession::Stream& s : session->Streams()) {
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
    p.layout = std::make_unique<StreamDisplayLayout>(std::move(areas));
    p.windows = std::make_unique<UnlistedWindows>();
    p.activator = std::make_unique<UnlistedWindows>();
    p.numbering = std::make_unique<BusNameNumbering>();
}

// Hot keys where the portal binds shortcuts for us; elsewhere there is no
// global key grab and start/stop requests come over the session bus only.
void AddPortalHotKeys(DesktopPlatform& p) {
    if (PortalGlobalHotKeys::Offered()) {
        p.hotKeys = std::make_unique<PortalGlobalHotKeys>(kPortalTimeoutMs);
    }
}

// The live services, all or none, and the hot keys where there are any.
void AddSessionServices(DesktopPlatform& p) {
    std::shared_ptr<WaylandDisplay> display = WaylandDisplay::Open();
    if (!(display && OffersWlrootsPaths(*display) && AddWlrootsServices(p))) {
        AddPortalServices(p);
    }
    if (p.screen) {
        AddPortalHotKeys(p);
    }
}

std::unique_ptr<DesktopPlatform> Open(PlatformReach reach) {
    auto p = std::make_unique<DesktopPlatform>();
    p->name = kBackend.name;
    AddLinuxDesktopServices(*p);
    if (reach == PlatformReach::kSession) {
        p->beeper = std::make_unique<SoundThemeBeeper>();
        AddSessionServices(*p);
    }
    return p;
}

}  // namespace

const Backend kBackend{"wayland", &FitsSession, &Open};

}  // namespace qrv::wayland
