#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace qrv {

// The path named by UTF-8 text. A plain std::string would be read in the
// system's narrow encoding, which on Windows need not be UTF-8.
inline std::filesystem::path Utf8Path(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace qrv
