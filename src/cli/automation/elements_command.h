#pragma once

#include <string>
#include <vector>

namespace qrv::cli {

// `quorvane-cli elements W [--only-clickables]`: the control list of the first
// top-level window named W, as the control browser copies it.
int RunElementsCommand(const std::vector<std::string>& args);

// `quorvane-cli click-element W N [V]`: invokes the element at once. Exit 0
// when it was invoked, 1 when not, 2 on bad input.
int RunClickElementCommand(const std::vector<std::string>& args);

}  // namespace qrv::cli
