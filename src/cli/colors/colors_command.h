#pragma once

#include <string>
#include <vector>

namespace qrv::cli {

// `quorvane-cli colours IMAGE [--html FILE]`: the unique colours of an image
// file in list order, optionally exported as the HTML page. Returns the exit
// status: 0 on success, 1 when the export failed, 2 on bad input.
int RunColorsCommand(const std::vector<std::string>& args);

}  // namespace qrv::cli
