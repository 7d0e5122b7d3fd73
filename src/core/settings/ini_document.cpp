#include "core/settings/ini_document.h"

#include <algorithm>
#include <charconv>

namespace qrv {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr std::string_view kBlanks = " \t\r\n\v\f";

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

void AppendHex(std::string& out, unsigned char c) {
    out += kHex[c >> 4];
    out += kHex[c & 0xF];
}

// Printable text stays as it is; '%' (the escape itself), '=', the
// separators '/' and '\\', brackets, quotes, control characters and blanks or
// comment marks that a reader would trim or skip are encoded.
std::string EscapeName(std::string_view name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        const bool edge = i == 0 || i + 1 == name.size();
        const bool special = c < 0x20 || c == 0x7F || c == '%' || c == '=' || c == '/' ||
                             c == '\\' || c == '[' || c == ']' || c == '"';
        const bool trimmed = edge && (c == ' ' || c == '\t');
        const bool comment = i == 0 && (c == ';' || c == '#');
        if (special || trimmed || comment) {
            out += '%';
            AppendHex(out, c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The byte a "\xHH" or "%HH" escape at `at` stands for, when the two digits
// follow.
std::optional<char> HexByte(std::string_view text, std::size_t at) {
    if (at + 2 >= text.size() || HexValue(text[at + 1]) < 0 || HexValue(text[at + 2]) < 0)
        return std::nullopt;
    return static_cast<char>(HexValue(text[at + 1]) * 16 + HexValue(text[at + 2]));
}

std::string UnescapeName(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::optional<char> escaped = text[i] == '%' ? HexByte(text, i) : std::nullopt;
        out += escaped.value_or(text[i]);
        if (escaped)
            i += 2;
    }
    return out;
}

bool NeedsQuotes(std::string_view value) {
    if (value.empty())
        return false;
    if (value.front() == ' ' || value.front() == '\t' || value.back() == ' ' ||
        value.back() == '\t') {
        return true;
    }
    for (char c : value) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == '"' || c == '\\' || c == ',' || c == ';' || c == '#')
            return true;
    }
    return false;
}

std::string Quote(std::string_view value) {
    std::string out = "\"";
    for (char c : value) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7F) {
            out += "\\x";
            AppendHex(out, u);
        } else {
            out += c;
        }
    }
    return out + '"';
}

// A leading '@' marks typed values in the stock INI format, so it is doubled.
std::string FormatString(std::string_view value) {
    std::string text = value.starts_with('@') ? "@" + std::string(value) : std::string(value);
    return NeedsQuotes(text) ? Quote(text) : text;
}

std::string Unquote(std::string_view text) {
    std::string out;
    for (std::size_t i = 1; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        const char e = text[++i];
        const std::optional<char> hex = e == 'x' ? HexByte(text, i) : std::nullopt;
        if (hex) {
            out += *hex;
            i += 2;
        } else {
            out += e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e;
        }
    }
    return out;
}

std::string ParseValue(std::string_view text) {
    std::string value = text.starts_with('"') ? Unquote(text) : std::string(text);
    if (value.starts_with("@@"))
        value.erase(0, 1);
    return value;
}

bool IsHeader(std::string_view trimmed) {
    return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']';
}

// Where the name of a key line ends, at its first '='; nothing for lines
// that hold no key (comments, headers, junk, a line without a name).
std::optional<std::size_t> KeyEnd(std::string_view trimmed) {
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#' || IsHeader(trimmed))
        return std::nullopt;
    const std::size_t equals = trimmed.find('=');
    if (equals == 0 || equals == std::string_view::npos)
        return std::nullopt;
    return equals;
}

}  // namespace

// Lines are split at '\n' only: a '\r' before it stays part of the line.
IniDocument::IniDocument(std::string_view text) {
    std::string section;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        m_openEnd = end == std::string_view::npos;
        if (m_openEnd)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        const std::string_view trimmed = Trim(line);
        if (IsHeader(trimmed)) {
            section = UnescapeName(Trim(trimmed.substr(1, trimmed.size() - 2)));
            m_sections[section] = m_blocks.size();
            m_blocks.push_back({{std::string(line)}, 1});
            continue;
        }
        Block& block = m_blocks.back();
        block.lines.emplace_back(line);
        if (const std::optional<std::size_t> keyEnd = KeyEnd(trimmed)) {
            m_keys[{section, UnescapeName(Trim(trimmed.substr(0, *keyEnd)))}] = {
                m_blocks.size() - 1, block.lines.size() - 1};
            block.keysEnd = block.lines.size();
        }
    }
}

std::string IniDocument::Text() const {
    std::string out;
    bool any = false;
    for (const Block& block : m_blocks) {
        for (const std::string& line : block.lines) {
            if (any)
                out += '\n';
            out += line;
            any = true;
        }
    }
    if (any && !m_openEnd)
        out += '\n';
    return out;
}

std::optional<std::string> IniDocument::Value(const std::string& section,
                                              const std::string& key) const {
    const auto it = m_keys.find({section, key});
    if (it == m_keys.end())
        return std::nullopt;
    const std::string_view line = Trim(m_blocks[it->second.block].lines[it->second.line]);
    return ParseValue(Trim(line.substr(line.find('=') + 1)));
}

std::optional<int32_t> IniDocument::IntValue(const std::string& section,
                                             const std::string& key) const {
    const std::optional<std::string> text = Value(section, key);
    if (!text)
        return std::nullopt;
    int32_t value = 0;
    const char* end = text->data() + text->size();
    const auto [stop, error] = std::from_chars(text->data(), end, value, 10);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

bool IniDocument::SetString(const std::string& section, const std::string& key,
                            std::string_view value) {
    return SetFormatted(section, key, FormatString(value));
}

bool IniDocument::SetInt(const std::string& section, const std::string& key, int32_t value) {
    return SetFormatted(section, key, std::to_string(value));
}

// An existing line keeps its name as spelled, the blanks after '=' and a
// '\r' at its end; only the value is replaced.
bool IniDocument::SetFormatted(const std::string& section, const std::string& key,
                               std::string_view text) {
    if (const auto it = m_keys.find({section, key}); it != m_keys.end()) {
        std::string& line = m_blocks[it->second.block].lines[it->second.line];
        const std::size_t valueStart = line.find_first_not_of(" \t", line.find('=') + 1);
        std::string updated = line.substr(0, std::min(valueStart, line.size())) + std::string(text);
        if (line.ends_with('\r'))
            updated += '\r';
        if (updated == line)
            return false;
        line = std::move(updated);
        return true;
    }
    const std::size_t index = BlockOf(section);
    Block& block = m_blocks[index];
    block.lines.insert(block.lines.begin() + std::ptrdiff_t(block.keysEnd),
                       EscapeName(key) + '=' + std::string(text));
    const Place place{index, block.keysEnd++};
    m_keys[{section, key}] = place;
    if (IsLastLine(place))
        m_openEnd = false;
    return true;
}

// A new section goes at the end, after a blank line.
std::size_t IniDocument::BlockOf(const std::string& section) {
    if (const auto it = m_sections.find(section); it != m_sections.end())
        return it->second;
    std::vector<std::string>& last = m_blocks.back().lines;
    if (!last.empty() && !Trim(last.back()).empty())
        last.emplace_back();
    m_blocks.push_back({{"[" + EscapeName(section) + "]"}, 1});
    m_openEnd = false;
    return m_sections[section] = m_blocks.size() - 1;
}

bool IniDocument::IsLastLine(Place place) const {
    return place.block + 1 == m_blocks.size() &&
           place.line + 1 == m_blocks[place.block].lines.size();
}

}  // namespace qrv
