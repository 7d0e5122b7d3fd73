#include "cli/colors/colors_command.h"

#include <cstdio>
#include <iostream>
#include <optional>

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
    "With --html, also writes the colour table as an HTML page to FILE.\n";

struct ColorsOptions {
    std::string image;
    std::string html;
};

int BadInput(const std::string& message) {
    std::fprintf(stderr, "quorvane-cli colours: %s (see --help)\n", message.c_str());
    return 2;
}

std::optional<ColorsOptions> Parse(const std::vector<std::string>& args, std::string& error) {
    ColorsOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--html") {
            if (i + 1 >= args.size()) {
                error = "--html needs a file name";
                return std::nullopt;
            }
            o.html = args[++i];
        } else if (args[i].starts_with("--") || !o.image.empty()) {
            error = "unexpected argument '" + args[i] + "'";
            return std::nullopt;
        } else {
            o.image = args[i];
        }
    }
    if (o.image.empty()) {
        error = "IMAGE is required";
        return std::nullopt;
    }
    return o;
}

}  // namespace

int RunColorsCommand(const std::vector<std::string>& args) {
    if (args.size() == 1 && args[0] == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::string error;
    std::optional<ColorsOptions> o = Parse(args, error);
    if (!o) {
        return BadInput(error);
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
