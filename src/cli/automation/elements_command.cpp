#include "cli/automation/elements_command.h"

#include <cstdio>
#include <optional>

#include "core/automation/c_element_clicker.h"
#include "core/automation/control_list_text.h"
#include "platform/desktop_platform.h"

namespace qrv::cli {

namespace {

const char* const kElementsUsage =
    "usage: quorvane-cli elements WINDOW [--only-clickables]\n"
    "\n"
    "Prints the controls of the first top-level window named WINDOW through the\n"
    "accessibility tree, one tab-separated line each: Sr, Name, Value, Can Set Value.\n";

const char* const kClickUsage =
    "usage: quorvane-cli click-element WINDOW NAME [VALUE]\n"
    "\n"
    "Invokes the first control named NAME (and with VALUE as its value, when given)\n"
    "in the first top-level window named WINDOW. Exit status 0 when it was invoked,\n"
    "1 when it was not found or cannot be invoked, 2 on bad input.\n";

int BadInput(const char* command, const std::string& message) {
    std::fprintf(stderr, "quorvane-cli %s: %s (see --help)\n", command, message.c_str());
    return 2;
}

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
    if (args.size() == 1 && args[0] == "--help") {
        std::fputs(kElementsUsage, stdout);
        return 0;
    }
    const bool onlyClickables = args.size() == 2 && args[1] == "--only-clickables";
    if (args.empty() || args.size() > 2 || (args.size() == 2 && !onlyClickables)) {
        return BadInput("elements", "expected WINDOW [--only-clickables]");
    }
    std::unique_ptr<DesktopPlatform> platform = OpenDesktopPlatform();
    std::shared_ptr<AutomationTree> tree = platform->openTree ? platform->openTree() : nullptr;
    std::optional<std::string> text;
    if (tree) {
        text = WindowControlsText(*tree, args[0], onlyClickables);
    }
    if (!text) {
        ExplainSwitchedOff(*platform);
        std::fprintf(stderr, "quorvane-cli elements: no window named '%s'\n", args[0].c_str());
        return 1;
    }
    // The clipboard text ends its lines in CR LF and drops the last line end.
    std::fputs(text->c_str(), stdout);
    std::fputs("\r\n", stdout);
    return 0;
}

int RunClickElementCommand(const std::vector<std::string>& args) {
    if (args.size() == 1 && args[0] == "--help") {
        std::fputs(kClickUsage, stdout);
        return 0;
    }
    if (args.size() < 2 || args.size() > 3) {
        return BadInput("click-element", "expected WINDOW NAME [VALUE]");
    }
    std::unique_ptr<DesktopPlatform> platform = OpenDesktopPlatform();
    CElementClicker clicker(platform->openTree, *platform->beeper);
    const bool useValue = args.size() == 3;
    if (clicker.ClickElement(args[0], args[1], useValue ? args[2] : std::string(), !useValue)) {
        return 0;
    }
    ExplainSwitchedOff(*platform);
    std::fprintf(stderr, "quorvane-cli click-element: '%s' in '%s' was not invoked\n",
                 args[1].c_str(), args[0].c_str());
    return 1;
}

}  // namespace qrv::cli
