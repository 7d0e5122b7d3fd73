#pragma once

#include "core/desktop/user_folders.h"

namespace qrv {

// The user's folders as the XDG base and user directories name them.
class XdgUserFolders : public UserFolders {
  public:
    std::string LocalDataFolder() override;
    std::string DesktopFolder() override;
    std::string DesktopAppFolder() override;
};

}  // namespace qrv
