#include "cli/toggle/toggle_command.h"

#include <charconv>
#include <cstdio>
#include <optional>

#include "cli/common/gnu_options.h"

#include "platform/desktop_platform.h"

namespace qrv::cli {
namespace {

const char* const kUsage =
    "usage: quorvane-cli toggle [--instance N]\n"
    "\n"
    "Starts or stops the search of running instance N (default 1), as its\n"
    "start/stop key would. Bind this command to a key in the desktop's settings\n"
    "where a program cannot grab keys for itself (Wayland).\n"
    "An option takes its value as the next argument or after =.\n";

}  // namespace

int RunToggleCommand(const std::vector<std::string>& args) {
    std::string problem;
    const std::optional<ParsedArgs> parsed = ParseGnuOptions(args, {{"--instance", true}}, problem);
    if (!parsed) {
        return BadInput("toggle", problem + " (see --help)");
    }
    if (const auto status = AnswerHelpOrVersion(*parsed, kUsage)) {
        return *status;
    }
    if (!parsed->operands.empty()) {
        return BadInput(
            "toggle", "unexpected argument " + Quoted(parsed->operands.front()) + " (see --help)");
    }
    int32_t instance = 1;
    for (const ParsedOption& option : parsed->options) {  // --instance, the only option
        const std::string& number = option.value;
        auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), instance);
        if (error != std::errc() || end != number.data() + number.size() || instance < 1) {
            return BadInput("toggle", "--instance needs a number from 1 up, not " + Quoted(number) +
                                          " (see --help)");
        }
    }
    if (const std::string problem = CheckSessionBus(); !problem.empty()) {
        std::fprintf(stderr, "quorvane-cli toggle: %s\n", problem.c_str());
        return 1;
    }
    std::unique_ptr<DesktopPlatform> platform = OpenDesktopPlatform(PlatformReach::kFiles);
    if (!platform->toggles) {
        std::fprintf(stderr,
                     "quorvane-cli toggle: this desktop (%s) takes no start/stop requests\n",
                     platform->name.c_str());
        return 1;
    }
    switch (platform->toggles->Send(instance)) {
        case ToggleRequests::SendResult::Sent:
            return 0;
        case ToggleRequests::SendResult::NoChannel: {
            const std::string problem = SessionBusProblem();
            std::fprintf(stderr, "quorvane-cli toggle: %s\n",
                         problem.empty() ? "no session bus (is DBUS_SESSION_BUS_ADDRESS set?)"
                                         : problem.c_str());
            return 1;
        }
        case ToggleRequests::SendResult::NoInstance:
            break;
    }
    std::fprintf(stderr, "quorvane-cli toggle: no instance %d is running\n", int(instance));
    return 1;
}

}  // namespace qrv::cli
