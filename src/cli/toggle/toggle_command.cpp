#include "cli/toggle/toggle_command.h"

#include <charconv>
#include <cstdio>

#include "platform/desktop/dbus_toggle_requests.h"

namespace qrv::cli {
namespace {

const char* const kUsage =
    "usage: quorvane-cli toggle [--instance N]\n"
    "\n"
    "Starts or stops the search of running instance N (default 1), as its\n"
    "start/stop key would. Bind this command to a key in the desktop's settings\n"
    "where a program cannot grab keys for itself (Wayland).\n";

int BadInput(const std::string& message) {
    std::fprintf(stderr, "quorvane-cli toggle: %s\n%s", message.c_str(), kUsage);
    return 2;
}

}  // namespace

int RunToggleCommand(const std::vector<std::string>& args) {
    int32_t instance = 1;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (args[i] != "--instance" || i + 1 == args.size()) {
            return BadInput("unexpected argument '" + args[i] + "'");
        }
        const std::string& number = args[++i];
        auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), instance);
        if (error != std::errc() || end != number.data() + number.size() || instance < 1) {
            return BadInput("--instance needs a number from 1 up, not '" + number + "'");
        }
    }
    switch (DBusToggleRequests::Send(instance)) {
        case DBusToggleRequests::SendResult::Sent:
            return 0;
        case DBusToggleRequests::SendResult::NoBus:
            std::fputs("quorvane-cli toggle: no session bus (is DBUS_SESSION_BUS_ADDRESS set?)\n",
                       stderr);
            return 1;
        case DBusToggleRequests::SendResult::NoInstance:
            break;
    }
    std::fprintf(stderr, "quorvane-cli toggle: no instance %d is running\n", int(instance));
    return 1;
}

}  // namespace qrv::cli
