#pragma once

#include <string>
#include <vector>

namespace qrv::cli {

// `quorvane-cli type TEXT [--delay MS]`: types a UTF-8 text into the focused
// window, whatever the keyboard layout.
int RunTypeCommand(const std::vector<std::string>& args);

// `quorvane-cli key COMBO...`: presses key combinations such as ctrl+shift+F9
// one after another.
int RunKeyCommand(const std::vector<std::string>& args);

// Both return the exit status: 0 when done, 1 when the desktop cannot be
// reached or takes no keyboard input, 2 on bad input.

}  // namespace qrv::cli
