// Moves the pointer to screen points and clicks at each in turn through the
// desktop the session offers, as a run does on a match, for the desktop suites
// whose screens send no frames to find a picture on.
//   pointer_tool X,Y...
// Exits 0 once the clicks were sent, 2 without a session.
#include <cstdio>

#include "core/search/mouse_input.h"
#include "core/search/system_clock.h"
#include "core/settings/profile.h"
#include "platform/desktop_platform.h"

int main(int argc, char** argv) {
    std::unique_ptr<qrv::DesktopPlatform> desktop = qrv::OpenDesktopPlatform();
    if (!desktop->HasSession()) {
        std::fprintf(stderr, "no %s session\n", desktop->name.c_str());
        return 2;
    }
    qrv::SystemClock clock;
    qrv::Profile profile(*desktop->profile, *desktop->windows, desktop->numbering.get());
    qrv::MouseInput mouse(*desktop->input, *desktop->layout, clock, profile);
    for (int i = 1; i < argc; ++i) {
        int x = 0;
        int y = 0;
        if (std::sscanf(argv[i], "%d,%d", &x, &y) != 2) {
            std::fprintf(stderr, "usage: pointer_tool X,Y...\n");
            return 2;
        }
        mouse.MoveMouseTo(x, y);
        mouse.ClickLeft();
    }
    std::printf("clicked on the %s desktop\n", desktop->name.c_str());
    return 0;
}
