#include "cli/input/keyboard_commands.h"

#include <optional>

#include "cli/common/gnu_options.h"
#include "cli/common/number_arguments.h"
#include "cli/input/desktop_input.h"
#include "core/input/key_names.h"

namespace qrv::cli {

namespace {

const char* const kTypeUsage =
    "usage: quorvane-cli type TEXT [--delay MS]\n"
    "\n"
    "Types TEXT (UTF-8) into the window that has the keyboard focus, character by\n"
    "character, whatever the keyboard layout: \"Grüße\", \"日本語\". A line feed\n"
    "presses Return, a tab Tab.\n"
    "  --delay MS   milliseconds between two characters (default 0, at most 60000)\n"
    "Exit status 0 when typed, 1 when the desktop cannot be reached or takes no\n"
    "keyboard input, 2 on bad input.\n"
    "An option takes its value as the next argument or after =; -- ends the\n"
    "options, for a TEXT that starts with a dash.\n";

const char* const kKeyUsage =
    "usage: quorvane-cli key COMBO...\n"
    "\n"
    "Presses each key combination in turn, such as ctrl+shift+F9: its keys are\n"
    "pressed in the order written and released in reverse.\n"
    "Keys are named as X keysyms are: Return, Tab, Escape, BackSpace, Delete,\n"
    "Insert, Home, End, Page_Up, Page_Down, Left, Up, Right, Down, space, F1 to\n"
    "F35, KP_Enter, KP_0 to KP_9, Print, Menu, XF86AudioMute, ... (or in any\n"
    "case: f9, return); ctrl, shift, alt and super; any one character (a, 7, é);\n"
    "or U+20AC for a code point. The + key is written plus.\n"
    "Exit status 0 when pressed, 1 when the desktop cannot be reached or takes no\n"
    "keyboard input, 2 on bad input (an unknown key is named).\n";

constexpr int32_t kMostDelayMs = 60000;

}  // namespace

int RunTypeCommand(const std::vector<std::string>& args) {
    std::string error;
    const std::optional<ParsedArgs> parsed = ParseGnuOptions(args, {{"--delay", true}}, error);
    if (!parsed) {
        return BadInput("type", error + " (see --help)");
    }
    if (const auto status = AnswerHelpOrVersion(*parsed, kTypeUsage)) {
        return *status;
    }
    if (parsed->operands.size() != 1) {
        return BadInput("type", "expected one TEXT (see --help)");
    }
    int32_t delay = 0;
    for (const ParsedOption& option : parsed->options) {  // --delay, the only option
        if (!ParseInts(option.value, 1, &delay) || delay < 0 || delay > kMostDelayMs) {
            return BadInput("type", "--delay takes milliseconds from 0 to " +
                                        std::to_string(kMostDelayMs) + ", not " +
                                        Quoted(option.value));
        }
    }
    const std::optional<std::u32string> text =
        KeyboardActions::TextToType(parsed->operands[0], error);
    if (!text) {
        return BadInput("type", error);
    }
    return RunWithDesktopInput(
        "type", true, [&](DesktopInput& input) { input.keyboard->Type(*text, uint32_t(delay)); });
}

int RunKeyCommand(const std::vector<std::string>& args) {
    std::string error;
    const std::optional<ParsedArgs> parsed = ParseGnuOptions(args, {}, error);
    if (!parsed) {
        return BadInput("key", error + " (see --help)");
    }
    if (const auto status = AnswerHelpOrVersion(*parsed, kKeyUsage)) {
        return *status;
    }
    if (parsed->operands.empty()) {
        return BadInput("key", "expected COMBO... (see --help)");
    }
    std::vector<std::vector<uint32_t>> combos;
    for (const std::string& combo : parsed->operands) {
        std::optional<std::vector<uint32_t>> keysyms = KeysymsFromCombo(combo, error);
        if (!keysyms) {
            return BadInput("key", error);
        }
        combos.push_back(std::move(*keysyms));
    }
    return RunWithDesktopInput("key", true, [&](DesktopInput& input) {
        for (const std::vector<uint32_t>& keysyms : combos) {
            input.keyboard->Press(keysyms);
        }
    });
}

}  // namespace qrv::cli
