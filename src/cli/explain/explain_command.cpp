#include "cli/explain/explain_command.h"

#include <cstdio>
#include <limits>
#include <new>
#include <optional>

#include "cli/common/gnu_options.h"
#include "cli/common/picture_file.h"
#include "cli/find/find_options.h"
#include "core/search/image_screen_source.h"
#include "core/search/match_explainer.h"
#include "core/search/search_area_check.h"
#include "platform/desktop_platform.h"

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
    "picture matches with the given deviation, 1 when not, 2 on bad input.\n"
    "An option takes its value as the next argument or after =; -- ends the options.\n";

int BadInput(const std::string& message) {
    std::fprintf(stderr, "quorvane-cli explain: %s\n", message.c_str());
    return 2;
}

// The captured area: from the screen image when given, else from the live screen.
std::optional<std::string> CaptureArea(const FindOptions& o, DesktopPlatform& platform,
                                       PixelImage& area, Rect& rect) {
    if (o.screenImage.empty()) {
        if (!platform.HasSession()) {
            return "cannot reach the " + platform.name +
                   " desktop (is DISPLAY set?); --screen-image explains a file";
        }
        rect = *o.area;
        if (auto problem = SearchAreaProblem(rect.left, rect.top, rect.Width(), rect.Height(),
                                             platform.layout->VirtualScreen())) {
            return *problem;
        }
        platform.screen->Capture(rect.left, rect.top, rect.Width(), rect.Height(), area);
        return std::nullopt;
    }
    DecodedImage image;
    const uint32_t status = platform.codec->LoadImageFile(o.screenImage, image);
    if (status != kStatusOk || image.pixels.Empty()) {
        return "the screen image " + Quoted(o.screenImage) + " " +
               LoadFailure(o.screenImage, status);
    }
    if (int64_t(o.origin.x) + image.pixels.m_iWidth > std::numeric_limits<int32_t>::max() ||
        int64_t(o.origin.y) + image.pixels.m_iHeight > std::numeric_limits<int32_t>::max()) {
        return "--origin puts the screen image beyond the last screen coordinate";
    }
    ImageScreenSource screen(std::move(image.pixels), o.origin);
    rect = o.area.value_or(screen.Bounds());
    if (auto problem =
            SearchAreaProblem(rect.left, rect.top, rect.Width(), rect.Height(), screen.Bounds())) {
        return *problem;
    }
    screen.Capture(rect.left, rect.top, rect.Width(), rect.Height(), area);
    return std::nullopt;
}

int Explain(const FindOptions& o) {
    // A screen image needs no connection to the desktop.
    std::unique_ptr<DesktopPlatform> platform = OpenDesktopPlatform(
        o.screenImage.empty() ? PlatformReach::kSession : PlatformReach::kFiles);
    DecodedImage picture;
    if (auto problem = LoadPictureFile(o.picture, *platform->codec, picture)) {
        return BadInput(*problem);
    }
    PixelImage area;
    Rect rect;
    if (auto problem = CaptureArea(o, *platform, area, rect)) {
        return BadInput(*problem);
    }
    MatchInputs in = MatchInputs::Of(area, picture.pixels);
    in.deviationRed = o.deviation[0];
    in.deviationGreen = o.deviation[1];
    in.deviationBlue = o.deviation[2];
    in.areaLeft = rect.left;
    in.areaTop = rect.top;
    in.maskTransparent = o.maskTransparent;
    const MatchExplanation e = ExplainMatch(in);
    std::puts(ExplanationText(e, in).c_str());
    return e.matches ? 0 : 1;
}

}  // namespace

int RunExplainCommand(const std::vector<std::string>& args) {
    std::string error;
    const std::optional<ParsedArgs> parsed = ParseGnuOptions(args, ExplainOptionSpecs(), error);
    if (!parsed) {
        return BadInput(error + " (see --help)");
    }
    if (const auto status = AnswerHelpOrVersion(*parsed, kUsage)) {
        return *status;
    }
    const std::optional<FindOptions> options = ParseFindOptions(*parsed, error);
    if (!options) {
        return BadInput(error + " (see --help)");
    }
    try {
        return Explain(*options);
    } catch (const std::bad_alloc&) {
        return BadInput("not enough memory to explain the search");
    }
}

}  // namespace qrv::cli
