#include "platform/x11/x11_backend.h"

#include <cstdlib>

#include "platform/freedesktop/linux_desktop_services.h"
#include "platform/x11/x_beeper.h"
#include "platform/x11/x_display_layout.h"
#include "platform/x11/x_global_hot_keys.h"
#include "platform/x11/x_input_injector.h"
#include "platform/x11/x_keyboard_injector.h"
#include "platform/x11/x_screen_source.h"
#include "platform/x11/x_top_level_windows.h"
#include "platform/x11/x_window_activator.h"

namespace qrv::x11 {

namespace {

bool FitsSession() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0';
}

// The live services, all or none: each holds its own display connection.
void AddSessionServices(DesktopPlatform& p) {
    p.beeper = std::make_unique<XBeeper>();  // the sound theme even without a display
    auto screen = std::make_unique<XScreenSource>();
    if (!screen->Connected()) {
        return;
    }
    p.screen = std::move(screen);
    p.input = std::make_unique<XInputInjector>();
    p.keyboard = std::make_unique<XKeyboardInjector>();
    p.layout = std::make_unique<XDisplayLayout>();
    p.windows = std::make_unique<XTopLevelWindows>();
    p.activator = std::make_unique<XWindowActivator>();
    if (auto hotKeys = std::make_unique<XGlobalHotKeys>(); hotKeys->Connected()) {
        p.hotKeys = std::move(hotKeys);
    }
}

std::unique_ptr<DesktopPlatform> Open(PlatformReach reach) {
    return OpenLinuxDesktop(kBackend.name, reach, &AddSessionServices);
}

}  // namespace

const Backend kBackend{"x11", &FitsSession, &Open, "is DISPLAY set?"};

}  // namespace qrv::x11
