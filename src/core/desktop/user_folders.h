#pragma once

#include <string>

namespace qrv {

// The user's folders that the program writes into.
class UserFolders {
  public:
    virtual ~UserFolders() = default;
    // The user's local application data folder, under which the default
    // picture folder lives; empty when the desktop names none.
    virtual std::string LocalDataFolder() = 0;
    // The user's desktop folder, created when missing; the home folder when
    // it cannot be created.
    virtual std::string DesktopFolder() = 0;
    // The folder for exported files: the desktop folder plus the program's
    // name, created when missing; the desktop folder when it cannot be.
    virtual std::string DesktopAppFolder() = 0;
};

}  // namespace qrv
