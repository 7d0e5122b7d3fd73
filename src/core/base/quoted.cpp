#include "core/base/quoted.h"

#include <cstdio>

namespace qrv {

std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "'";
}

}  // namespace qrv
