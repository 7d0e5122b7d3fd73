#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/common/gnu_options.h"
#include "core/base/geometry.h"
#include "core/settings/main_window_fields.h"
#include "core/settings/profile.h"

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
    bool maskTransparent = false;
    bool all = false;
    int32_t maxMatches = 1000;
    bool json = false;

    // Switches that move or click the real cursor.
    bool NeedsDisplay() const { return move || click || clickTwice || cursorBack || sweep; }
};

// The options `find` accepts, and the subset `explain` does.
const std::vector<OptionSpec>& FindOptionSpecs();
const std::vector<OptionSpec>& ExplainOptionSpecs();

// Reads the options split by ParseGnuOptions. On error, returns nothing and
// sets `error` to one line naming the problem.
std::optional<FindOptions> ParseFindOptions(const ParsedArgs& args, std::string& error);

// The main window's fields a search of `area` with these options has.
MainWindowFields FieldsFrom(const FindOptions& o, Rect area);

// Writes the run settings the options set, which a run reads from the profile.
void WriteRunSettings(const FindOptions& o, Profile& profile);

extern const char* const kFindUsage;

}  // namespace qrv::cli
