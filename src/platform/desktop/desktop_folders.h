#pragma once

#include <string>

namespace qrv {

// The user's desktop folder (the XDG desktop directory).
std::string GetDesktopFolder();

// The folder for exported files: the desktop folder plus "/" plus the
// application name. Created (one level) when missing; a failure to create it
// is ignored, the caller then meets a missing folder.
std::string GetDesktopAppFolder();

}  // namespace qrv
