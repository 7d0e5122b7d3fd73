// Moves the pointer to a screen point and clicks there through the desktop
// the session offers, the way a run does on a match, for the desktop suites
// whose screens send no frames to find a picture on.
//   pointer_tool X Y
// Exits 0 once the click was sent, 2 without a session.
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "core/search/mouse_input.h"
#include "core/search/system_clock.h"
#include "core/settings/profile.h"
#include "platform/desktop_platform.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: pointer_tool X Y\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    std::unique_ptr<qrv::DesktopPlatform> desktop = qrv::OpenDesktopPlatform();
    if (!desktop->HasSession()) {
        std::fprintf(stderr, "no %s session\n", desktop->name.c_str());
        return 2;
    }
    qrv::SystemClock clock;
    qrv::Profile profile(*desktop->profile, *desktop->windows, desktop->numbering.get());
    qrv::MouseInput mouse(*desktop->input, *desktop->layout, clock, profile);
    // As in a run, input follows the session's start by a while: a desktop
    // adds the session's pointer device after answering, and drops what comes
    // earlier; the session closes at exit, after the click has been taken.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    mouse.MoveMouseTo(std::stoi(argv[1]), std::stoi(argv[2]));
    mouse.ClickLeft();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    std::printf("clicked on the %s desktop\n", desktop->name.c_str());
    return 0;
}
