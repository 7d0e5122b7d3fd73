#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cli/automation/elements_command.h"
#include "cli/colors/colors_command.h"
#include "cli/common/gnu_options.h"
#include "cli/explain/explain_command.h"
#include "cli/find/find_command.h"
#include "cli/input/keyboard_commands.h"
#include "cli/input/pointer_commands.h"
#include "cli/toggle/toggle_command.h"

namespace {

const char* const kUsage =
    "usage: quorvane-cli COMMAND [OPTIONS]\n"
    "       quorvane-cli --help | --version\n"
    "\n"
    "commands:\n"
    "  find      search the screen (or a screen image) for a picture and act on a match\n"
    "  explain   say where a picture comes closest and what deviation it needs there\n"
    "  colours   list the unique colours of an image file, optionally as an HTML page\n"
    "  elements  list the controls of another application's window\n"
    "  click-element  invoke a control of another application's window\n"
    "  toggle    start or stop the search of a running instance\n"
    "  type      type a text into the focused window\n"
    "  key       press key combinations such as ctrl+a\n"
    "  click     click a mouse button at a screen point\n"
    "  move      move the pointer to a screen point\n"
    "  drag      drag with the left button from one screen point to another\n"
    "  scroll    turn the mouse wheel, up and down or sideways\n"
    "\n"
    "'quorvane-cli COMMAND --help' describes a command.\n";

using Command = std::function<int(const std::vector<std::string>&)>;

const std::map<std::string, Command>& Commands() {
    static const std::map<std::string, Command> commands{
        {"find", qrv::cli::RunFindCommand},
        {"explain", qrv::cli::RunExplainCommand},
        {"colours", qrv::cli::RunColorsCommand},
        {"elements", qrv::cli::RunElementsCommand},
        {"click-element", qrv::cli::RunClickElementCommand},
        {"toggle", qrv::cli::RunToggleCommand},
        {"type", qrv::cli::RunTypeCommand},
        {"key", qrv::cli::RunKeyCommand},
        {"click", qrv::cli::RunClickCommand},
        {"move", qrv::cli::RunMoveCommand},
        {"drag", qrv::cli::RunDragCommand},
        {"scroll", qrv::cli::RunScrollCommand},
    };
    return commands;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        qrv::cli::PrintVersion();
        return 0;
    }
    auto command = Commands().find(argv[1]);
    if (command == Commands().end()) {
        std::fprintf(stderr, "quorvane-cli: unknown command '%s'\n%s", argv[1], kUsage);
        return 2;
    }
    return command->second(std::vector<std::string>(argv + 2, argv + argc));
}
