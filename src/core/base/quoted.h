#pragma once

#include <string>

namespace qrv {

// An argument or file name for an error message: quoted, with control
// characters escaped so that the message stays on one line.
std::string Quoted(const std::string& text);

}  // namespace qrv
