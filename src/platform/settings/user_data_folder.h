#pragma once

#include <string>

namespace qrv {

// The user's data directory ($XDG_DATA_HOME, by default ~/.local/share).
std::string UserDataFolder();

// The default folder for captured pictures inside it, created when missing.
std::string DefaultTempImagesFolder();

}  // namespace qrv
