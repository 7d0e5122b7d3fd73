#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/base/quoted.h"

namespace qrv::cli {

// An option a command accepts, named with its leading dashes.
struct OptionSpec {
    std::string name;
    bool takesValue = false;
};

struct ParsedOption {
    std::string name;
    std::string value;  // empty for a switch
};

struct ParsedArgs {
    std::vector<ParsedOption> options;  // in command-line order
    std::vector<std::string> operands;  // the other arguments, in order
    bool help = false;
    bool version = false;
};

// Splits a command's arguments the GNU way: "--name value" and "--name=value",
// "-h" for "--help", "--version", and "--" ends the options so that every
// argument after it is an operand (a file named "-x.png"). A lone "-" and a
// dash followed by a digit (a negative number) are operands. On error returns nothing and sets
// `error` to one line.
std::optional<ParsedArgs> ParseGnuOptions(const std::vector<std::string>& args,
                                          const std::vector<OptionSpec>& specs, std::string& error);

// Prints the program's name and version.
void PrintVersion();

// Prints the usage for --help or the version for --version and returns the
// exit status 0; nothing when neither was asked for.
std::optional<int> AnswerHelpOrVersion(const ParsedArgs& parsed, const char* usage);

// Prints "quorvane-cli COMMAND: MESSAGE" to standard error and returns the
// exit status of a command that cannot run, 2.
int BadInput(const char* command, const std::string& message);

}  // namespace qrv::cli
