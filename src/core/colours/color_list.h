#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/colours/color_set.h"

namespace qrv {

// One row of the colour list.
struct ColorRow {
    uint32_t number;  // 1 for the top row
    uint32_t colour;  // packed 0x00BBGGRR
    uint32_t Red() const { return colour & 0xFF; }
    uint32_t Green() const { return (colour >> 8) & 0xFF; }
    uint32_t Blue() const { return (colour >> 16) & 0xFF; }
};

enum class AddColorResult {
    Added,          // the list is rebuilt in set order and renumbered
    AlreadyListed,  // nothing changes; the front end sounds the information beep
};

// What the unique-colours dialog shows: one row per colour of the opener's
// set, in set order, and the opener's summary. The set is only ever grown.
class ColorList {
  public:
    ColorList(ColorSet& set, std::string summary);

    std::size_t RowCount() const { return m_set.Count(); }
    ColorRow Row(std::size_t index) const;
    // The rows' colours from the top; valid until the next AddColor.
    std::span<const uint32_t> Colors() const { return m_set.Ordered(); }
    const std::string& Summary() const { return m_summary; }
    std::string Title(std::string_view appName) const;

    // Adds the colour under the cursor.
    AddColorResult AddColor(uint32_t colour);

  private:
    ColorSet& m_set;
    std::string m_summary;
};

}  // namespace qrv
