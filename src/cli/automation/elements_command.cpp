#include "cli/automation/elements_command.h"

#include <cstdio>
#include <optional>

#include "cli/common/gnu_options.h"
#include "core/automation/c_element_clicker.h"
#include "core/automation/control_list_text.h"
#include "platform/desktop_platform.h"

namespace qrv::cli {

namespace {

const char* const kElementsUsage =
    "usage: quorvane-cli elements WINDOW [--only-clickables]\n"
    "\n"
    "Prints the controls of the first top-level window named WINDOW through the\n"
    "accessibility tree, one tab-separated line each: Sr, Name, Value, Can Set Value.\n"
    "-- ends the options, for a WINDOW that starts with a dash.\n";

const char* const kClickUsage =
    "usage: quorvane-cli click-element WINDOW NAME [VALUE]\n"
    "\n"
    "Invokes the first control named NAME (and with VALUE as its value, when given)\n"
    "in the first top-level window named WINDOW. Exit status 0 when it was invoked,\n"
    "1 when it was not found or cannot be invoked, 2 on bad input.\n"
    "-- ends the options, for a WINDOW, NAME or VALUE that starts with a dash.\n";

// Says why nothing can be read when the desktop has accessibility switched off.
void ExplainSwitchedOff(DesktopPlatform& platform) {
    if (platform.accessibility && platform.accessibility->IsEnabled() == false) {
        std::fputs(
            "quorvane-cli: note: accessibility support is switched off on this desktop, so "
            "many applications expose no controls; switch it on (e.g. gsettings set "
            "org.gnome.desktop.interface toolkit-accessibility true) and restart them\n",
            stderr);
    }
}

}  // namespace

int RunElementsCommand(const std::vector<std::string>& args) {
    std::string error;
    const std::optional<ParsedArgs> parsed =
        ParseGnuOptions(args, {{"--only-clickables", false}}, error);
    if (!parsed) {
        return BadInput("elements", error + " (see --help)");
    }
    if (const auto status = AnswerHelpOrVersion(*parsed, kElementsUsage)) {
        return *status;
    }
    if (parsed->operands.size() != 1) {
        return BadInput("elements", "expected WINDOW [--only-clickables] (see --help)");
    }
    const std::string& window = parsed->operands[0];
    const bool onlyClickables = !parsed->options.empty();
    std::unique_ptr<DesktopPlatform> platform = OpenDesktopPlatform();
    std::shared_ptr<AutomationTree> tree = platform->openTree ? platform->openTree() : nullptr;
    std::optional<std::string> text;
    if (tree) {
        text = WindowControlsText(*tree, window, onlyClickables);
    }
    if (!text) {
        ExplainSwitchedOff(*platform);
        std::fprintf(stderr, "quorvane-cli elements: no window named %s\n", Quoted(window).c_str());
        return 1;
    }
    // The clipboard text ends its lines in CR LF and drops the last line end.
    std::fputs(text->c_str(), stdout);
    std::fputs("\r\n", stdout);
    return 0;
}

int RunClickElementCommand(const std::vector<std::string>& args) {
    std::string error;
    const std::optional<ParsedArgs> parsed = ParseGnuOptions(args, {}, error);
    if (!parsed) {
        return BadInput("click-element", error + " (see --help)");
    }
    if (const auto status = AnswerHelpOrVersion(*parsed, kClickUsage)) {
        return *status;
    }
    const std::vector<std::string>& words = parsed->operands;
    if (words.size() < 2 || words.size() > 3) {
        return BadInput("click-element", "expected WINDOW NAME [VALUE] (see --help)");
    }
    std::unique_ptr<DesktopPlatform> platform = OpenDesktopPlatform();
    CElementClicker clicker(platform->openTree, *platform->beeper);
    const bool useValue = words.size() == 3;
    if (clicker.ClickElement(words[0], words[1], useValue ? words[2] : std::string(), !useValue)) {
        return 0;
    }
    ExplainSwitchedOff(*platform);
    std::fprintf(stderr, "quorvane-cli click-element: %s in %s was not invoked\n",
                 Quoted(words[1]).c_str(), Quoted(words[0]).c_str());
    return 1;
}

}  // namespace qrv::cli
