#pragma once

#include <string>

namespace qrv {

// The user's desktop folder as `xdg-user-dir DESKTOP` names it (XDG_DESKTOP_DIR
// in the configuration folder's user-dirs.dirs, else ~/Desktop), created with
// its parents when missing; the home folder when it cannot be created.
std::string GetDesktopFolder();

// The folder for exported files: the desktop folder plus "/" plus the
// application name, created with its parents when missing; the desktop
// folder when it cannot be created. Always an existing folder.
std::string GetDesktopAppFolder();

}  // namespace qrv
