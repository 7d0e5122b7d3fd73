#pragma once

#include <string>

namespace qrv {

// The user's data directory ($XDG_DATA_HOME, by default ~/.local/share);
// empty when neither that nor HOME is set.
std::string UserDataFolder();

// The default folder for captured pictures inside it, created when missing.
std::string DefaultTempImagesFolder();

// Makes sure the default folder for captured pictures inside
// `localDataFolder` exists; returns why it cannot, or nothing.
std::string TempImagesFolderProblem(const std::string& localDataFolder);

}  // namespace qrv
