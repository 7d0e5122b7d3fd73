#pragma once

#include <string>

namespace qrv {

// One row of the control list: the cells of "Sr", "Name", "Value" and
// "Can Set Value" (blank cells are empty strings).
struct ControlRow {
    std::string sr;
    std::string name;
    std::string value;
    std::string canSetValue;

    bool operator==(const ControlRow&) const = default;
};

}  // namespace qrv
