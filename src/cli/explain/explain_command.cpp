#include "cli/explain/explain_command.h"

#include <cstdio>
#include <memory>
#include <new>
#include <optional>

#include "cli/common/gnu_options.h"
#include "cli/common/search_inputs.h"
#include "cli/find/find_options.h"
#include "core/search/area_scan.h"
#include "core/search/match_explainer.h"
#include "core/search/search_attempt.h"

namespace qrv::cli {

namespace {

const char* const kUsage =
    "usage: quorvane-cli explain --picture FILE (--area LEFT,TOP,WIDTH,HEIGHT |\n"
    "                            --screen-image FILE [--origin LEFT,TOP] [--area ...])\n"
    "         [--deviation R,G,B] [--mask-transparent]\n"
    "\n"
    "Finds the position in the area where the picture comes closest and prints\n"
    "  Closest match at X,Y needs deviation R,G,B\n"
    "  N of M pixels differ by more than the given deviation\n"
    "where R,G,B is, per channel, the largest difference between a picture pixel\n"
    "and the area pixel under it. Closest is the smallest largest-channel need,\n"
    "the first position column by column among equals. Exit status: 0 when the\n"
    "picture matches with the given deviation, 1 when not, 2 on bad input or a\n"
    "screen that cannot be read.\n"
    "An option takes its value as the next argument or after =; -- ends the options.\n";

int Explain(const FindOptions& o) {
    std::string error;
    std::unique_ptr<SearchInputs> inputs = SearchInputs::Open(o, error);
    if (!inputs) {
        return BadInput("explain", error);
    }
    if (const auto& picture = inputs->OversizedPicture()) {
        const Rect area = inputs->Area();
        std::puts(LargerPictureText(picture->width, picture->height,
                                    int64_t(area.right) - area.left,
                                    int64_t(area.bottom) - area.top)
                      .c_str());
        return 1;
    }
    AreaScan scan(std::move(inputs->Picture().pixels), inputs->Area(), o.deviation,
                  o.maskTransparent);
    if (auto problem = scan.AreaProblem(inputs->Layout())) {
        return BadInput("explain", *problem);
    }
    if (!scan.Capture(inputs->Screen(), inputs->Layout())) {
        return BadInput("explain", SearchAttempt::kNoFrameText);
    }
    const MatchInputs in = scan.Inputs();
    const MatchExplanation e = ExplainMatch(in);
    std::puts(ExplanationText(e, in).c_str());
    return e.matches ? 0 : 1;
}

}  // namespace

int RunExplainCommand(const std::vector<std::string>& args) {
    std::string error;
    const std::optional<ParsedArgs> parsed = ParseGnuOptions(args, ExplainOptionSpecs(), error);
    if (!parsed) {
        return BadInput("explain", error + " (see --help)");
    }
    if (const auto status = AnswerHelpOrVersion(*parsed, kUsage)) {
        return *status;
    }
    const std::optional<FindOptions> options = ParseFindOptions(*parsed, error);
    if (!options) {
        return BadInput("explain", error + " (see --help)");
    }
    try {
        return Explain(*options);
    } catch (const std::bad_alloc&) {
        return BadInput("explain", "not enough memory to explain the search");
    }
}

}  // namespace qrv::cli
