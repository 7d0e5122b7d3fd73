#include "cli/input/pointer_commands.h"

#include <optional>

#include "cli/common/gnu_options.h"
#include "cli/common/number_arguments.h"
#include "cli/input/desktop_input.h"

namespace qrv::cli {

namespace {

const std::string kUsageEnd =
    "Coordinates are screen pixels; a negative number needs no --.\n"
    "Exit status 0 when done, 1 when the desktop cannot be reached, 2 on bad input\n"
    "(a point off the screen too).\n";

const std::string kClickUsage =
    "usage: quorvane-cli click X Y [--button BUTTON] [--double]\n"
    "\n"
    "Moves the pointer to the screen point X,Y and clicks there.\n"
    "  --button BUTTON   left (the default), right or middle\n"
    "  --double          click twice, as a double click\n" +
    kUsageEnd;

const std::string kMoveUsage =
    "usage: quorvane-cli move X Y\n"
    "\n"
    "Moves the pointer to the screen point X,Y.\n" +
    kUsageEnd;

const std::string kDragUsage =
    "usage: quorvane-cli drag X1 Y1 X2 Y2\n"
    "\n"
    "Presses the left button at X1,Y1, moves the pointer to X2,Y2 in small steps\n"
    "and releases the button there.\n" +
    kUsageEnd;

const std::string kScrollUsage =
    "usage: quorvane-cli scroll STEPS [--at X,Y] [--horizontal]\n"
    "\n"
    "Turns the mouse wheel by STEPS notches (at most 10000) where the pointer is:\n"
    "positive steps scroll up, negative ones down.\n"
    "  --at X,Y       move the pointer to the screen point X,Y first\n"
    "  --horizontal   scroll sideways: positive steps right, negative ones left\n"
    "An option takes its value as the next argument or after =.\n" +
    kUsageEnd;

// The arguments of a command: nothing when the exit status is known already
// (--help, --version, bad input, reported).
std::optional<ParsedArgs> CommandArgs(const char* command, const std::vector<std::string>& args,
                                      const std::vector<OptionSpec>& specs,
                                      const std::string& usage, int& status) {
    std::string error;
    std::optional<ParsedArgs> parsed = ParseGnuOptions(args, specs, error);
    if (!parsed) {
        status = BadInput(command, error + " (see --help)");
        return std::nullopt;
    }
    if (const auto answered = AnswerHelpOrVersion(*parsed, usage.c_str())) {
        status = *answered;
        return std::nullopt;
    }
    return parsed;
}

// The operands as `count` points of two numbers each; reports bad input.
std::optional<std::vector<Point>> OperandPoints(const char* command, const ParsedArgs& parsed,
                                                std::size_t count, const char* expected,
                                                int& status) {
    if (parsed.operands.size() != 2 * count) {
        status = BadInput(command, std::string("expected ") + expected + " (see --help)");
        return std::nullopt;
    }
    std::vector<Point> points(count);
    for (std::size_t i = 0; i < parsed.operands.size(); ++i) {
        int32_t& coordinate = i % 2 == 0 ? points[i / 2].x : points[i / 2].y;
        if (!ParseInts(parsed.operands[i], 1, &coordinate)) {
            status = BadInput(
                command, "a coordinate must be a whole number, not " + Quoted(parsed.operands[i]));
            return std::nullopt;
        }
    }
    return points;
}

}  // namespace

int RunClickCommand(const std::vector<std::string>& args) {
    int status = 2;
    const auto parsed =
        CommandArgs("click", args, {{"--button", true}, {"--double", false}}, kClickUsage, status);
    const auto points = parsed ? OperandPoints("click", *parsed, 1, "X Y", status) : std::nullopt;
    if (!points) {
        return status;
    }
    MouseButton button = MouseButton::kLeft;
    bool twice = false;
    for (const ParsedOption& option : parsed->options) {
        twice = twice || option.name == "--double";
        if (option.name != "--button") {
            continue;
        }
        const std::optional<MouseButton> named = PointerActions::ButtonFromName(option.value);
        if (!named) {
            return BadInput("click",
                            "--button takes left, right or middle, not " + Quoted(option.value));
        }
        button = *named;
    }
    return RunWithDesktopInput("click", false, [&](DesktopInput& input) {
        input.pointer.Click(points->front(), button, twice);
    });
}

int RunMoveCommand(const std::vector<std::string>& args) {
    int status = 2;
    const auto parsed = CommandArgs("move", args, {}, kMoveUsage, status);
    const auto points = parsed ? OperandPoints("move", *parsed, 1, "X Y", status) : std::nullopt;
    if (!points) {
        return status;
    }
    return RunWithDesktopInput("move", false,
                               [&](DesktopInput& input) { input.pointer.Move(points->front()); });
}

int RunDragCommand(const std::vector<std::string>& args) {
    int status = 2;
    const auto parsed = CommandArgs("drag", args, {}, kDragUsage, status);
    const auto points =
        parsed ? OperandPoints("drag", *parsed, 2, "X1 Y1 X2 Y2", status) : std::nullopt;
    if (!points) {
        return status;
    }
    return RunWithDesktopInput("drag", false, [&](DesktopInput& input) {
        input.pointer.Drag((*points)[0], (*points)[1]);
    });
}

int RunScrollCommand(const std::vector<std::string>& args) {
    int status = 2;
    const auto parsed = CommandArgs("scroll", args, {{"--at", true}, {"--horizontal", false}},
                                    kScrollUsage, status);
    if (!parsed) {
        return status;
    }
    int32_t steps = 0;
    if (parsed->operands.size() != 1 || !ParseInts(parsed->operands[0], 1, &steps) ||
        steps < -PointerActions::kMostWheelSteps || steps > PointerActions::kMostWheelSteps) {
        return BadInput("scroll",
                        "expected STEPS, a whole number from -10000 to 10000 (see --help)");
    }
    std::optional<Point> at;
    bool horizontal = false;
    for (const ParsedOption& option : parsed->options) {
        horizontal = horizontal || option.name == "--horizontal";
        int32_t xy[2];
        if (option.name != "--at") {
            continue;
        }
        if (!ParseInts(option.value, 2, xy)) {
            return BadInput("scroll", "--at takes X,Y, not " + Quoted(option.value));
        }
        at = Point{xy[0], xy[1]};
    }
    return RunWithDesktopInput(
        "scroll", false, [&](DesktopInput& input) { input.pointer.Scroll(steps, horizontal, at); });
}

}  // namespace qrv::cli
