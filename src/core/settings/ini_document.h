#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qrv {

// The text of an INI file, kept line by line so that setting a key changes
// that key's line only: every other line (other programs' keys, comments,
// names in any spelling, bytes that are not UTF-8, line ends) stays byte for
// byte. Names are matched after decoding %XX escapes, so "[Instance%202]"
// is the section "Instance 2"; where a key appears more than once the last
// line counts, for reading and for writing. Names written are kept verbatim
// but for the characters that would break the line structure.
class IniDocument {
  public:
    IniDocument() = default;
    explicit IniDocument(std::string_view text);

    std::string Text() const;

    // The key's value: a quoted value's escapes decoded, a doubled leading
    // '@' made single; nothing when the key is missing.
    std::optional<std::string> Value(const std::string& section, const std::string& key) const;
    // The value when it is a decimal number in the 32-bit range.
    std::optional<int32_t> IntValue(const std::string& section, const std::string& key) const;

    // Each returns true when the text changed.
    bool SetString(const std::string& section, const std::string& key, std::string_view value);
    bool SetInt(const std::string& section, const std::string& key, int32_t value);

  private:
    // A section header and the lines up to the next one; the first block
    // holds the lines before any header and has none.
    struct Block {
        std::vector<std::string> lines;
        // Where a new key goes: after the block's last key line, before the
        // blank and comment lines that end it.
        std::size_t keysEnd = 0;
    };
    struct Place {
        std::size_t block;
        std::size_t line;
    };
    using Slot = std::pair<std::string, std::string>;

    bool SetFormatted(const std::string& section, const std::string& key, std::string_view text);
    std::size_t BlockOf(const std::string& section);
    bool IsLastLine(Place place) const;

    std::vector<Block> m_blocks{1};
    std::map<std::string, std::size_t> m_sections{{"", 0}};  // name → its last block
    std::map<Slot, Place> m_keys;                            // → the key's last line
    bool m_openEnd = false;                                  // the last line has no line break
};

}  // namespace qrv
