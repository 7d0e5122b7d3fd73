// Parses arbitrary argument lists (NUL-separated) as `quorvane-cli find`
// options: never crashes, and whatever it accepts is consistent.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "cli/find/find_options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back().push_back(char(data[i]));
        }
    }
    std::string error;
    const auto options = qrv::cli::ParseFindOptions(args, error);
    if (!options) {
        if (error.empty() || error.find('\n') != std::string::npos) {
            __builtin_trap();  // one line naming the problem
        }
        return 0;
    }
    if (options->help) {
        return 0;
    }
    if (options->picture.empty() || (!options->area && options->screenImage.empty()) ||
        options->count < 0 || options->interval < 0) {
        __builtin_trap();
    }
    if (options->area && (options->area->right <= options->area->left ||
                          options->area->bottom <= options->area->top)) {
        __builtin_trap();  // a positive size whose edges did not wrap
    }
    return 0;
}
