#pragma once

#include "core/desktop/user_folders.h"

namespace qrv::win32 {

// The shell's known folders: local application data and the desktop.
class KnownFolderUserFolders : public UserFolders {
  public:
    std::string LocalDataFolder() override;
    std::string DesktopFolder() override;
    std::string DesktopAppFolder() override;
};

}  // namespace qrv::win32
