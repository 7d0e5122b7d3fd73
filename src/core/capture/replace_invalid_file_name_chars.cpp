#include "core/capture/replace_invalid_file_name_chars.h"

#include <string_view>

namespace qrv {

void ReplaceInvalidFileNameChars(std::string& name) {
    constexpr std::string_view kInvalid = "<>*|?\\/\":";
    for (char& c : name) {
        if (kInvalid.find(c) != std::string_view::npos) {
            c = ' ';
        }
    }
}

}  // namespace qrv
