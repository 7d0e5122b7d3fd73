#pragma once

#include <functional>

#include "core/input/keyboard_actions.h"
#include "core/input/pointer_actions.h"

namespace qrv::cli {

// The live desktop's input, as one input command uses it; `keyboard` is null
// where the desktop takes no keyboard input.
struct DesktopInput {
    PointerActions& pointer;
    KeyboardActions* keyboard;
};

// Opens the live desktop and runs `action` on its input. Returns the exit
// status: 0 when the action ran, 1 when the desktop cannot be reached, takes
// no keyboard input (when `needsKeyboard`) or fails while injecting, 2 when
// the action refuses its input (a point off the screen); every failure says
// so in one line on standard error.
int RunWithDesktopInput(const char* command, bool needsKeyboard,
                        const std::function<void(DesktopInput&)>& action);

}  // namespace qrv::cli
