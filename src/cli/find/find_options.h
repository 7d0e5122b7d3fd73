#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/search/geometry.h"

namespace qrv::cli {

// The options of `quorvane-cli find`.
struct FindOptions {
    std::string picture;
    std::optional<Rect> area;  // screen rectangle
    std::string screenImage;   // search this file instead of the live screen
    Point origin;              // screen position of the screen image
    int32_t deviation[3] = {0, 0, 0};
    int32_t count = 1;
    int32_t interval = 0;
    bool move = false;
    bool click = false;
    bool clickTwice = false;
    bool cursorBack = false;
    uint32_t delay = 0;
    std::string speak;
    bool speakSync = false;
    std::string execute;
    std::string verb = "Open";
    bool abortOnMatch = false;
    bool sweep = false;
    std::string elementWindow;
    std::string elementName;
    std::optional<std::string> elementValue;
    bool help = false;

    // Switches that move or click the real cursor.
    bool NeedsDisplay() const { return move || click || clickTwice || cursorBack || sweep; }
};

// Parses the arguments after the subcommand. On error, returns nothing and
// sets `error` to one line naming the problem.
std::optional<FindOptions> ParseFindOptions(const std::vector<std::string>& args,
                                            std::string& error);

// An argument or file name for an error message: quoted, with control
// characters escaped so that the message stays on one line.
std::string Quoted(const std::string& text);

extern const char* const kFindUsage;

}  // namespace qrv::cli
