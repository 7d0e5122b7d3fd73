#include "cli/common/number_arguments.h"

#include <charconv>

namespace qrv::cli {

bool ParseInts(const std::string& text, std::size_t n, int32_t* out) {
    const char* p = text.data();
    const char* end = p + text.size();
    for (std::size_t i = 0; i < n; ++i) {
        auto [next, ec] = std::from_chars(p, end, out[i]);
        if (ec != std::errc() || next == p) {
            return false;
        }
        p = next;
        if (i + 1 < n) {
            if (p == end || *p != ',') {
                return false;
            }
            ++p;
        }
    }
    return p == end;
}

}  // namespace qrv::cli
