// Holds a virtual pointer and keyboard on the seat until it is ended, as a
// physical pair would be: clients keep their pointer and keyboard all along,
// instead of binding them when another program's device appears, too late
// for its first events.
#include <unistd.h>

#include <cstdio>

#include "platform/wayland/wayland_input_injector.h"
#include "platform/wayland/wayland_keyboard_injector.h"

int main() {
    qrv::WaylandInputInjector pointer;
    qrv::WaylandKeyboardInjector keyboard;
    if (pointer.Connected() && keyboard.Connected() && std::puts("ready") >= 0 &&
        std::fflush(stdout) == 0) {
        pause();
    }
    return 1;
}
