#include "cli/common/gnu_options.h"

#include <algorithm>
#include <cstdio>

namespace qrv::cli {

namespace {

const OptionSpec* FindSpec(const std::vector<OptionSpec>& specs, const std::string& name) {
    const auto it = std::find_if(specs.begin(), specs.end(),
                                 [&](const OptionSpec& s) { return s.name == name; });
    return it == specs.end() ? nullptr : &*it;
}

bool Fail(std::string& error, const std::string& message) {
    error = message;
    return false;
}

// Takes the option at args[i] (and its value, possibly the next argument).
bool TakeOption(const std::vector<std::string>& args, std::size_t& i,
                const std::vector<OptionSpec>& specs, ParsedArgs& out, std::string& error) {
    const std::string& arg = args[i];
    const std::size_t eq = arg.find('=');
    const std::string name = arg == "-h" ? "--help" : arg.substr(0, eq);
    if (name == "--help" || name == "--version") {
        if (eq != std::string::npos) {
            return Fail(error, name + " takes no value");
        }
        (name == "--help" ? out.help : out.version) = true;
        return true;
    }
    const OptionSpec* spec = name.starts_with("--") ? FindSpec(specs, name) : nullptr;
    if (spec == nullptr) {
        return Fail(error, "unknown option " + Quoted(arg));
    }
    if (!spec->takesValue) {
        if (eq != std::string::npos) {
            return Fail(error, name + " takes no value");
        }
        out.options.push_back({name, {}});
        return true;
    }
    if (eq != std::string::npos) {
        out.options.push_back({name, arg.substr(eq + 1)});
        return true;
    }
    if (i + 1 >= args.size()) {
        return Fail(error, name + " needs a value");
    }
    out.options.push_back({name, args[++i]});
    return true;
}

}  // namespace

std::optional<ParsedArgs> ParseGnuOptions(const std::vector<std::string>& args,
                                          const std::vector<OptionSpec>& specs,
                                          std::string& error) {
    ParsedArgs out;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool negativeNumber =
            arg.size() >= 2 && arg[0] == '-' && arg[1] >= '0' && arg[1] <= '9';
        if (optionsEnded || arg.size() < 2 || arg[0] != '-' || negativeNumber) {
            out.operands.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (!TakeOption(args, i, specs, out, error)) {
            return std::nullopt;
        }
    }
    return out;
}

void PrintVersion() {
    std::puts("quorvane-cli " QRV_VERSION);
}

std::optional<int> AnswerHelpOrVersion(const ParsedArgs& parsed, const char* usage) {
    if (parsed.help) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (parsed.version) {
        PrintVersion();
        return 0;
    }
    return std::nullopt;
}

int BadInput(const char* command, const std::string& message) {
    std::fprintf(stderr, "quorvane-cli %s: %s\n", command, message.c_str());
    return 2;
}

}  // namespace qrv::cli
