#include "platform/freedesktop/desktop_folders.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>

#include "core/settings/setting_keys.h"

namespace qrv {

namespace {

// `path` without "." and ".." parts, doubled or trailing slashes.
std::string Clean(const std::string& path) {
    std::string clean = std::filesystem::path(path).lexically_normal().string();
    if (clean.size() > 1 && clean.back() == '/') {
        clean.pop_back();
    }
    return clean;
}

std::string Home() {
    const char* home = std::getenv("HOME");
    return home && *home ? Clean(home) : std::string("/");
}

std::string ConfigHome() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    return config && *config ? std::string(config) : Home() + "/.config";
}

// The last XDG_DESKTOP_DIR line of user-dirs.dirs, quotes taken off and a
// leading $HOME replaced; nothing when there is none.
std::optional<std::string> ConfiguredDesktop() {
    constexpr std::string_view kKey = "XDG_DESKTOP_DIR=";
    std::ifstream dirs(ConfigHome() + "/user-dirs.dirs");
    std::optional<std::string> desktop;
    for (std::string line; std::getline(dirs, line);) {
        if (!line.starts_with(kKey)) {
            continue;
        }
        std::string value = line.substr(kKey.size());
        if (value.size() > 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        if (value.starts_with("$HOME")) {
            value = Home() + value.substr(5);
        }
        desktop = value;
    }
    return desktop;
}

// `folder` once it exists, else `fallback`.
std::string MadeOr(const std::string& folder, const std::string& fallback) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error) ? folder : fallback;
}

}  // namespace

std::string GetDesktopFolder() {
    return MadeOr(Clean(ConfiguredDesktop().value_or(Home() + "/Desktop")), Home());
}

std::string GetDesktopAppFolder() {
    const std::string desktop = GetDesktopFolder();
    return MadeOr(Clean(desktop + "/" + std::string(kAppName)), desktop);
}

}  // namespace qrv
