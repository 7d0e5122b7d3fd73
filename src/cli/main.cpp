#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cli/automation/elements_command.h"
#include "cli/colours/colours_command.h"
#include "cli/find/find_command.h"

namespace {

const char* const kUsage =
    "usage: quorvane-cli COMMAND [OPTIONS]\n"
    "\n"
    "commands:\n"
    "  find      search the screen (or a screen image) for a picture and act on a match\n"
    "  colours   list the unique colours of an image file, optionally as an HTML page\n"
    "  elements  list the controls of another application's window\n"
    "  click-element  invoke a control of another application's window\n"
    "\n"
    "'quorvane-cli COMMAND --help' describes a command.\n";

using Command = std::function<int(const std::vector<std::string>&)>;

const std::map<std::string, Command>& Commands() {
    static const std::map<std::string, Command> commands{
        {"find", qrv::cli::RunFindCommand},
        {"colours", qrv::cli::RunColoursCommand},
        {"elements", qrv::cli::RunElementsCommand},
        {"click-element", qrv::cli::RunClickElementCommand},
    };
    return commands;
}

}  // namespace

int main(int argc, char** argv) {
    // Image plug-ins and D-Bus need an application object; no event loop runs.
    QCoreApplication app(argc, argv);
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    auto command = Commands().find(argv[1]);
    if (command == Commands().end()) {
        std::fprintf(stderr, "quorvane-cli: unknown command '%s'\n%s", argv[1], kUsage);
        return 2;
    }
    return command->second(std::vector<std::string>(argv + 2, argv + argc));
}
