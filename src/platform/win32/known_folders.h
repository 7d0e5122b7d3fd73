#pragma once

#include <string>

namespace qrv::win32 {

// The user's local application data folder and desktop folder (UTF-8,
// backslashes), empty when the shell cannot tell.
std::string LocalAppDataFolder();
std::string DesktopFolder();

}  // namespace qrv::win32
