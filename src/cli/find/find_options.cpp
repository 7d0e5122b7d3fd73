#include "cli/find/find_options.h"

#include <functional>
#include <limits>
#include <map>

#include "cli/common/number_arguments.h"
#include "core/search/match_lister.h"
#include "core/settings/setting_keys.h"

namespace qrv::cli {

const char* const kFindUsage =
    "usage: quorvane-cli find --picture FILE (--area LEFT,TOP,WIDTH,HEIGHT |\n"
    "                         --screen-image FILE [--origin LEFT,TOP] [--area ...])\n"
    "         [--deviation R,G,B] [--count N] [--interval MS]\n"
    "         [--move] [--click] [--double] [--cursor-back] [--delay MS]\n"
    "         [--speak TEXT [--speak-sync]] [--execute FILE [--verb VERB]]\n"
    "         [--abort-on-match] [--sweep]\n"
    "         [--element-window W --element-name N [--element-value V]]\n"
    "         [--mask-transparent] [--all [--max-matches N]] [--json]\n"
    "\n"
    "Searches the area for the picture COUNT times (0: until interrupted), INTERVAL\n"
    "milliseconds apart, and runs the chosen actions on a match. Prints every\n"
    "status line of the run. Exit status: 0 when the last attempt found the\n"
    "picture, 1 when it did not, 2 on bad input or a screen that cannot be read.\n"
    "\n"
    "  --mask-transparent  picture pixels of alpha 0 match any colour\n"
    "  --all               after each attempt, a line 'Match at X,Y' for every\n"
    "                      position the picture matches at, column by column\n"
    "  --max-matches N     at most N of those lines per attempt (default 1000)\n"
    "  --json              one JSON object per attempt instead of the status lines\n"
    "An option takes its value as the next argument or after =; -- ends the options.\n";

namespace {

// Whether start + length, an exclusive edge, is still a screen coordinate.
bool FitsScreen(int32_t start, int32_t length) {
    return int64_t(start) + length <= std::numeric_limits<int32_t>::max();
}

bool ParseNonNegative(const std::string& text, int32_t& out) {
    return ParseInts(text, 1, &out) && out >= 0;
}

class Parser {
  public:
    Parser(const ParsedArgs& args, std::string& error) : m_args(args), m_error(error) {}

    std::optional<FindOptions> Run();

  private:
    using Handler = std::function<bool(const std::string&)>;
    bool Fail(const std::string& message) {
        m_error = message;
        return false;
    }
    bool Numbers(const std::string& name, const std::string& value, std::size_t n, int32_t* out) {
        return ParseInts(value, n, out) || Fail(name + " takes " + std::to_string(n) +
                                                " comma-separated integers, not " + Quoted(value));
    }
    bool Count(const std::string& name, const std::string& value, int32_t& out) {
        return ParseNonNegative(value, out) ||
               Fail(name + " takes a whole number of 0 or more, not " + Quoted(value));
    }
    std::map<std::string, Handler> ValueOptions();
    std::map<std::string, bool*> Switches();
    bool Check();

    const ParsedArgs& m_args;
    std::string& m_error;
    FindOptions m_o;
};

std::map<std::string, Parser::Handler> Parser::ValueOptions() {
    return {
        {"--picture", [this](const std::string& v) { return m_o.picture = v, true; }},
        {"--screen-image", [this](const std::string& v) { return m_o.screenImage = v, true; }},
        {"--area",
         [this](const std::string& v) {
             int32_t a[4];
             if (!Numbers("--area", v, 4, a)) {
                 return false;
             }
             if (a[2] <= 0 || a[3] <= 0) {
                 return Fail("--area needs a width and height above 0, not " + Quoted(v));
             }
             if (!FitsScreen(a[0], a[2]) || !FitsScreen(a[1], a[3])) {
                 return Fail("--area reaches beyond the last screen coordinate: " + Quoted(v));
             }
             m_o.area = Rect{a[0], a[1], a[0] + a[2], a[1] + a[3]};
             return true;
         }},
        {"--origin",
         [this](const std::string& v) {
             int32_t o[2];
             return Numbers("--origin", v, 2, o) && (m_o.origin = {o[0], o[1]}, true);
         }},
        {"--deviation",
         [this](const std::string& v) { return Numbers("--deviation", v, 3, m_o.deviation); }},
        {"--count", [this](const std::string& v) { return Count("--count", v, m_o.count); }},
        {"--interval",
         [this](const std::string& v) { return Count("--interval", v, m_o.interval); }},
        {"--delay",
         [this](const std::string& v) {
             int32_t d = 0;
             return Count("--delay", v, d) && (m_o.delay = uint32_t(d), true);
         }},
        {"--max-matches",
         [this](const std::string& v) {
             return (Count("--max-matches", v, m_o.maxMatches) &&
                     m_o.maxMatches <= kMostListedMatches) ||
                    Fail("--max-matches takes a whole number from 0 to " +
                         std::to_string(kMostListedMatches) + ", not " + Quoted(v));
         }},
        {"--speak", [this](const std::string& v) { return m_o.speak = v, true; }},
        {"--execute", [this](const std::string& v) { return m_o.execute = v, true; }},
        {"--verb", [this](const std::string& v) { return m_o.verb = v, true; }},
        {"--element-window", [this](const std::string& v) { return m_o.elementWindow = v, true; }},
        {"--element-name", [this](const std::string& v) { return m_o.elementName = v, true; }},
        {"--element-value", [this](const std::string& v) { return m_o.elementValue = v, true; }},
    };
}

std::map<std::string, bool*> Parser::Switches() {
    return {{"--move", &m_o.move},
            {"--click", &m_o.click},
            {"--double", &m_o.clickTwice},
            {"--cursor-back", &m_o.cursorBack},
            {"--speak-sync", &m_o.speakSync},
            {"--abort-on-match", &m_o.abortOnMatch},
            {"--sweep", &m_o.sweep},
            {"--mask-transparent", &m_o.maskTransparent},
            {"--all", &m_o.all},
            {"--json", &m_o.json}};
}

std::optional<FindOptions> Parser::Run() {
    if (!m_args.operands.empty()) {
        Fail("unexpected argument " + Quoted(m_args.operands.front()));
        return std::nullopt;
    }
    const auto values = ValueOptions();
    const auto switches = Switches();
    for (const ParsedOption& option : m_args.options) {
        if (auto s = switches.find(option.name); s != switches.end()) {
            *s->second = true;
        } else if (!values.at(option.name)(option.value)) {
            return std::nullopt;
        }
    }
    if (Check()) {
        return m_o;
    }
    return std::nullopt;
}

bool Parser::Check() {
    if (m_o.picture.empty()) {
        return Fail("--picture FILE is required");
    }
    if (m_o.screenImage.empty() && !m_o.area) {
        return Fail("give the area to search: --area LEFT,TOP,WIDTH,HEIGHT or --screen-image FILE");
    }
    if (m_o.elementName.empty() != m_o.elementWindow.empty() ||
        (m_o.elementValue && m_o.elementName.empty())) {
        return Fail("--element-window and --element-name go together (--element-value with them)");
    }
    return true;
}

}  // namespace

const std::vector<OptionSpec>& FindOptionSpecs() {
    static const std::vector<OptionSpec> specs = [] {
        std::vector<OptionSpec> all = ExplainOptionSpecs();
        for (const char* name :
             {"--count", "--interval", "--delay", "--max-matches", "--speak", "--execute", "--verb",
              "--element-window", "--element-name", "--element-value"}) {
            all.push_back({name, true});
        }
        for (const char* name : {"--move", "--click", "--double", "--cursor-back", "--speak-sync",
                                 "--abort-on-match", "--sweep", "--all", "--json"}) {
            all.push_back({name, false});
        }
        return all;
    }();
    return specs;
}

const std::vector<OptionSpec>& ExplainOptionSpecs() {
    static const std::vector<OptionSpec> specs = {
        {"--picture", true}, {"--area", true},      {"--screen-image", true},
        {"--origin", true},  {"--deviation", true}, {"--mask-transparent", false}};
    return specs;
}

std::optional<FindOptions> ParseFindOptions(const ParsedArgs& args, std::string& error) {
    return Parser(args, error).Run();
}

MainWindowFields FieldsFrom(const FindOptions& o, Rect area) {
    MainWindowFields f;
    f.m_iScreenAreaLeft = area.left;
    f.m_iScreenAreaTop = area.top;
    f.m_iScreenAreaWidth = area.Width();
    f.m_iScreenAreaHeight = area.Height();
    f.m_iDeviationRed = o.deviation[0];
    f.m_iDeviationGreen = o.deviation[1];
    f.m_iDeviationBlue = o.deviation[2];
    f.m_dwTimeDelay1 = o.delay;
    f.m_bClickAnotherTime = o.clickTwice;
    f.m_bClickOnPicture = o.click || o.clickTwice;
    f.m_bMoveMouseToCenterOfPicture = o.move;
    f.m_bCursorBack = o.cursorBack;
    f.m_strTextToSpeak = o.speak;
    f.m_bSpeakText = !o.speak.empty();
    f.m_strScriptToExecute = o.execute;
    f.m_bExecuteScript = !o.execute.empty();
    f.m_strVerb = o.verb;
    f.m_bAbortSearch = o.abortOnMatch;
    f.m_strPictureToFindFilePath = o.picture;
    f.m_count = o.count;
    f.m_interval = o.interval;
    f.m_bClickElement = !o.elementName.empty();
    f.m_strElementWindowName = o.elementWindow;
    f.m_strElementName = o.elementName;
    f.m_strElementValue = o.elementValue.value_or("");
    f.m_bDoNotUseValueToSearchElement = !o.elementValue;
    return f;
}

void WriteRunSettings(const FindOptions& o, Profile& profile) {
    profile.Write(keys::kSpeakTextAsync, o.speakSync ? 0 : 1);
    profile.Write(keys::kMoveCursorWithSearch, o.sweep ? 1 : 0);
    profile.Write(keys::kMaskTransparent, o.maskTransparent ? 1 : 0);
}

}  // namespace qrv::cli
