#include "cli/colors/colors_command.h"

#include <cstdio>
#include <iostream>
#include <optional>

#include "cli/common/gnu_options.h"
#include "core/colors/color_list_texts.h"
#include "core/colors/color_sources.h"
#include "core/colors/colors_html_export.h"
#include "core/settings/setting_keys.h"
#include "platform/desktop_platform.h"

namespace qrv::cli {

namespace {

const char* const kUsage =
    "usage: quorvane-cli colours IMAGE [--html FILE]\n"
    "\n"
    "Prints the summary line of the image's unique colours, then one line per\n"
    "colour in list order: row number, red, green, blue, separated by tabs.\n"
    "With --html, also writes the colour table as an HTML page to FILE.\n"
    "An option takes its value as the next argument or after =; -- ends the options.\n";

struct ColorsOptions {
    std::string image;
    std::string html;
};

std::optional<ColorsOptions> Parse(const ParsedArgs& args, std::string& error) {
    ColorsOptions o;
    for (const ParsedOption& option : args.options) {
        o.html = option.value;  // --html, the only option
    }
    if (args.operands.size() > 1) {
        error = "unexpected argument " + Quoted(args.operands[1]);
        return std::nullopt;
    }
    if (args.operands.empty()) {
        error = "IMAGE is required";
        return std::nullopt;
    }
    o.image = args.operands[0];
    return o;
}

}  // namespace

int RunColorsCommand(const std::vector<std::string>& args) {
    std::string error;
    const std::optional<ParsedArgs> parsed = ParseGnuOptions(args, {{"--html", true}}, error);
    if (!parsed) {
        return BadInput("colours", error + " (see --help)");
    }
    if (const auto status = AnswerHelpOrVersion(*parsed, kUsage)) {
        return *status;
    }
    std::optional<ColorsOptions> o = Parse(*parsed, error);
    if (!o) {
        return BadInput("colours", error + " (see --help)");
    }
    std::unique_ptr<DesktopPlatform> platform = OpenDesktopPlatform(PlatformReach::kFiles);
    CollectedColors colors = CollectImageFileColors(*platform->codec, o->image);
    if (colors.status != kStatusOk) {
        std::fprintf(stderr, "quorvane-cli colours: %s\n",
                     ImageLoadFailedText(colors.status, o->image).c_str());
        return 2;
    }
    std::cout << colors.summary << '\n';
    WriteColorRowsText(std::cout, colors.set.Ordered());
    std::cout.flush();
    if (o->html.empty()) {
        return 0;
    }
    HtmlExportResult result =
        ColorsHtmlExport(colors.summary, kAppName).Write(o->html, colors.set.Ordered());
    if (!result.ok) {
        std::fprintf(stderr, "quorvane-cli colours: %s\n", result.message.c_str());
        return 1;
    }
    return 0;
}

}  // namespace qrv::cli
