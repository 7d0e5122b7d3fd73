#pragma once

#include <string>

namespace qrv {

// The user's data folder ($XDG_DATA_HOME, by default ~/.local/share); empty
// when neither that nor HOME is set.
std::string UserDataFolder();

// The user's configuration folder ($XDG_CONFIG_HOME, by default ~/.config);
// empty when neither that nor HOME is set.
std::string UserConfigFolder();

}  // namespace qrv
