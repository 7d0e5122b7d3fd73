#include "cli/find/find_options.h"

#include <charconv>
#include <cstdio>
#include <functional>
#include <limits>
#include <map>

namespace qrv::cli {

const char* const kFindUsage =
    "usage: quorvane-cli find --picture FILE (--area LEFT,TOP,WIDTH,HEIGHT |\n"
    "                         --screen-image FILE [--origin LEFT,TOP] [--area ...])\n"
    "         [--deviation R,G,B] [--count N] [--interval MS]\n"
    "         [--move] [--click] [--double] [--cursor-back] [--delay MS]\n"
    "         [--speak TEXT [--speak-sync]] [--execute FILE [--verb VERB]]\n"
    "         [--abort-on-match] [--sweep]\n"
    "         [--element-window W --element-name N [--element-value V]]\n"
    "\n"
    "Searches the area for the picture COUNT times (0: until interrupted), INTERVAL\n"
    "milliseconds apart, and runs the chosen actions on a match. Prints every\n"
    "status line of the run. Exit status: 0 when the last attempt found the\n"
    "picture, 1 when it did not, 2 on bad input.\n";

namespace {

// Parses comma-separated signed integers; exactly `n` of them.
bool ParseInts(const std::string& text, std::size_t n, int32_t* out) {
    const char* p = text.data();
    const char* end = p + text.size();
    for (std::size_t i = 0; i < n; ++i) {
        auto [next, ec] = std::from_chars(p, end, out[i]);
        if (ec != std::errc() || next == p) {
            return false;
        }
        p = next;
        if (i + 1 < n) {
            if (p == end || *p != ',') {
                return false;
            }
            ++p;
        }
    }
    return p == end;
}

// Whether start + length, an exclusive edge, is still a screen coordinate.
bool FitsScreen(int32_t start, int32_t length) {
    return int64_t(start) + length <= std::numeric_limits<int32_t>::max();
}

bool ParseNonNegative(const std::string& text, int32_t& out) {
    return ParseInts(text, 1, &out) && out >= 0;
}

class Parser {
  public:
    Parser(const std::vector<std::string>& args, std::string& error)
        : m_args(args), m_error(error) {}

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

    const std::vector<std::string>& m_args;
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
            {"--help", &m_o.help}};
}

std::optional<FindOptions> Parser::Run() {
    const auto values = ValueOptions();
    const auto switches = Switches();
    for (std::size_t i = 0; i < m_args.size(); ++i) {
        const std::string& arg = m_args[i];
        if (auto s = switches.find(arg); s != switches.end()) {
            *s->second = true;
            continue;
        }
        auto v = values.find(arg);
        if (v == values.end()) {
            Fail("unknown option " + Quoted(arg));
            return std::nullopt;
        }
        if (i + 1 >= m_args.size()) {
            Fail(arg + " needs a value");
            return std::nullopt;
        }
        if (!v->second(m_args[++i])) {
            return std::nullopt;
        }
    }
    if (m_o.help || Check()) {
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

std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "'";
}

std::optional<FindOptions> ParseFindOptions(const std::vector<std::string>& args,
                                            std::string& error) {
    return Parser(args, error).Run();
}

}  // namespace qrv::cli
