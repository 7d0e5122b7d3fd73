#pragma once

#include <string>
#include <vector>

namespace qrv::cli {

// `quorvane-cli explain`: where the picture comes closest in the area and what
// deviation it needs there. Exit status 0 when it matches with the given
// deviation, 1 when not, 2 on bad input or a screen that cannot be read.
int RunExplainCommand(const std::vector<std::string>& args);

}  // namespace qrv::cli
