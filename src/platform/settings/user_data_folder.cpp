#include "platform/settings/user_data_folder.h"

#include <cstdlib>

namespace qrv {

namespace {

// A relative path in the variable is ignored, as the base directory
// specification asks.
std::string BaseFolder(const char* variable, const char* underHome) {
    if (const char* folder = std::getenv(variable); folder && folder[0] == '/')
        return folder;
    const char* home = std::getenv("HOME");
    if (!home || !home[0])
        return {};
    return std::string(home) + underHome;
}

}  // namespace

std::string UserDataFolder() {
    return BaseFolder("XDG_DATA_HOME", "/.local/share");
}

std::string UserConfigFolder() {
    return BaseFolder("XDG_CONFIG_HOME", "/.config");
}

}  // namespace qrv
