#pragma once

#include <string>
#include <vector>

namespace qrv::cli {

// `quorvane-cli toggle [--instance N]`: starts or stops the search of a running
// instance (the first when no number is given), as its start/stop key would.
// Returns the exit status: 0 when the instance took the request, 1 when no
// such instance runs, 2 on bad input.
int RunToggleCommand(const std::vector<std::string>& args);

}  // namespace qrv::cli
