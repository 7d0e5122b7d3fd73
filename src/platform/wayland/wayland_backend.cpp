#include "platform/wayland/wayland_backend.h"

#include <cstdlib>

#include "platform/freedesktop/linux_desktop_services.h"
#include "platform/freedesktop/portal_hot_keys.h"
#include "platform/wayland/wayland_display_layout.h"
#include "platform/wayland/wayland_input_injector.h"
#include "platform/wayland/wayland_keyboard_injector.h"
#include "platform/wayland/wayland_screen_source.h"
#include "platform/wayland/wayland_top_level_windows.h"
#include "platform/wayland/wayland_toplevel_list.h"
#include "platform/wayland/wayland_window_activator.h"
#include "platform/wayland_client/wayland_display.h"

namespace qrv::wayland {

namespace {

bool OffersWlrootsPaths(const WaylandDisplay& display) {
    return display.Offers("zwlr_screencopy_manager_v1") &&
           display.Offers("zwlr_virtual_pointer_manager_v1");
}

bool FitsSession() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (name == nullptr || *name == '\0') {
        return false;
    }
    std::shared_ptr<WaylandDisplay> display = WaylandDisplay::Open();
    return display && OffersWlrootsPaths(*display);
}

// Each service holds its own compositor connection; the hot keys are the
// portal's where it offers them.
void AddSessionServices(DesktopPlatform& p) {
    auto screen = std::make_unique<WaylandScreenSource>();
    auto input = std::make_unique<WaylandInputInjector>();
    if (!screen->Connected() || !input->Connected()) {
        return;
    }
    p.screen = std::move(screen);
    p.input = std::move(input);
    if (auto keyboard = std::make_unique<WaylandKeyboardInjector>(); keyboard->Connected()) {
        p.keyboard = std::move(keyboard);
    }
    p.layout = std::make_unique<WaylandDisplayLayout>();
    auto list = std::make_shared<WaylandToplevelList>();
    p.windows = std::make_unique<WaylandTopLevelWindows>(list);
    p.activator = std::make_unique<WaylandWindowActivator>(list);
    AddPortalHotKeys(p);
}

std::unique_ptr<DesktopPlatform> Open(PlatformReach reach) {
    return OpenLinuxDesktop(kBackend.name, reach, &AddSessionServices);
}

}  // namespace

const Backend kBackend{"wayland", &FitsSession, &Open,
                       "is WAYLAND_DISPLAY set, and does the compositor offer wlroots screen "
                       "copies and virtual pointers?"};

}  // namespace qrv::wayland
