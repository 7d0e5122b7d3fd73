#pragma once

#include <string>
#include <string_view>

namespace qrv {

// Name of the program's folder inside the user's local data folder.
inline constexpr std::string_view kTempImagesFolderName = "Quorvane-by-Tolbrin";

// The default folder for captured pictures: localDataFolder + "/" + the
// folder name, with every doubled "/" made single. Creates the folder when it
// is missing; a failure to create it is ignored here (the caller checks).
std::string GetTempImagesFolder(const std::string& localDataFolder);

// Makes sure the default folder for captured pictures inside
// `localDataFolder` exists; returns why it cannot, or nothing.
std::string TempImagesFolderProblem(const std::string& localDataFolder);

}  // namespace qrv
