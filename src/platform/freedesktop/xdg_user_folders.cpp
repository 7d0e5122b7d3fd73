#include "platform/freedesktop/xdg_user_folders.h"

#include "platform/freedesktop/desktop_folders.h"
#include "platform/settings/user_data_folder.h"

namespace qrv {

std::string XdgUserFolders::LocalDataFolder() {
    return UserDataFolder();
}

std::string XdgUserFolders::DesktopFolder() {
    return GetDesktopFolder();
}

std::string XdgUserFolders::DesktopAppFolder() {
    return GetDesktopAppFolder();
}

}  // namespace qrv
