#include "cli/colours/colours_command.h"

#include <cstdio>
#include <iostream>
#include <optional>

#include "core/colours/color_list_texts.h"
#include "core/colours/color_sources.h"
#include "core/colours/colors_html_export.h"
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

struct ColoursOptions {
    std::string image;
    std::string html;
};

int BadInput(const std::string& message) {
    std::fprintf(stderr, "quorvane-cli colours: %s (see --help)\n", message.c_str());
    return 2;
}

std::optional<ColoursOptions> Parse(const std::vector<std::string>& args, std::string& error) {
    ColoursOptions o;
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

int RunColoursCommand(const std::vector<std::string>& args) {
    if (args.size() == 1 && args[0] == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::string error;
    std::optional<ColoursOptions> o = Parse(args, error);
    if (!o) {
        return BadInput(error);
    }
    std::unique_ptr<DesktopPlatform> platform = OpenDesktopPlatform(PlatformReach::kFiles);
    CollectedColors colours = CollectImageFileColors(*platform->codec, o->image);
    if (colours.status != kStatusOk) {
        std::fprintf(stderr, "quorvane-cli colours: %s\n",
                     ImageLoadFailedText(colours.status, o->image).c_str());
        return 2;
    }
    std::cout << colours.summary << '\n';
    WriteColorRowsText(std::cout, colours.set.Ordered());
    std::cout.flush();
    if (o->html.empty()) {
        return 0;
    }
    HtmlExportResult result =
        ColorsHtmlExport(colours.summary, kAppName).Write(o->html, colours.set.Ordered());
    if (!result.ok) {
        std::fprintf(stderr, "quorvane-cli colours: %s\n", result.message.c_str());
        return 1;
    }
    return 0;
}

}  // namespace qrv::cli
