#pragma once

#include <string>
#include <vector>

namespace qrv::cli {

// `quorvane-cli find`: one search run with the real engine. Returns the exit
// status: 0 when the last attempt found the picture, 1 when not, 2 on bad input or a
// screen that cannot be read.
int RunFindCommand(const std::vector<std::string>& args);

}  // namespace qrv::cli
