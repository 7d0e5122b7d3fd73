#include "cli/input/desktop_input.h"

#include <cstdio>
#include <optional>
#include <stdexcept>

#include "cli/common/gnu_options.h"
#include "core/search/system_clock.h"
#include "core/settings/memory_profile_store.h"
#include "core/settings/profile.h"
#include "platform/desktop_platform.h"

namespace qrv::cli {

namespace {

int DesktopFailure(const char* command, const std::string& message) {
    std::fprintf(stderr, "quorvane-cli %s: %s\n", command, message.c_str());
    return 1;
}

}  // namespace

int RunWithDesktopInput(const char* command, bool needsKeyboard,
                        const std::function<void(DesktopInput&)>& action) {
    std::unique_ptr<DesktopPlatform> platform = OpenDesktopPlatform(PlatformReach::kSession);
    if (!platform->HasSession()) {
        const bool declined = platform->sessionFailure == SessionFailure::kDeclined;
        return DesktopFailure(command,
                              SessionFailureText(*platform) +
                                  (declined ? "; run the command again to be asked again" : ""));
    }
    if (needsKeyboard && !platform->keyboard) {
        return DesktopFailure(command,
                              "this desktop (" + platform->name + ") takes no keyboard input");
    }
    // The click's hold time: the window's default bounds.
    MemoryProfileStore store;
    Profile profile(store, *platform->windows);
    SystemClock clock;
    MouseInput mouse(*platform->input, *platform->layout, clock, profile);
    PointerActions pointer(mouse, *platform->layout, clock);
    std::optional<KeyboardActions> keyboard;
    if (platform->keyboard) {
        keyboard.emplace(*platform->keyboard, clock);
    }
    DesktopInput input{pointer, keyboard ? &*keyboard : nullptr};
    try {
        action(input);
    } catch (const std::invalid_argument& e) {
        return BadInput(command, e.what());
    } catch (const std::exception& e) {
        return DesktopFailure(command, e.what());
    }
    return 0;
}

}  // namespace qrv::cli
