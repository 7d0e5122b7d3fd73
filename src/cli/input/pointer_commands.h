#pragma once

#include <string>
#include <vector>

namespace qrv::cli {

// `quorvane-cli click X Y [--button left|right|middle] [--double]`.
int RunClickCommand(const std::vector<std::string>& args);
// `quorvane-cli move X Y`.
int RunMoveCommand(const std::vector<std::string>& args);
// `quorvane-cli drag X1 Y1 X2 Y2`: with the left button.
int RunDragCommand(const std::vector<std::string>& args);
// `quorvane-cli scroll STEPS [--at X,Y] [--horizontal]`.
int RunScrollCommand(const std::vector<std::string>& args);

// Each returns the exit status: 0 when done, 1 when the desktop cannot be
// reached, 2 on bad input (a point off the screen too).

}  // namespace qrv::cli
