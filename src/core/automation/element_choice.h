#pragma once

#include <string>

namespace qrv {

// The three "Click Element" fields of the main window, as the control
// browser hands them over.
struct ElementChoice {
    std::string windowName;
    std::string elementName;
    std::string elementValue;

    bool operator==(const ElementChoice&) const = default;
};

}  // namespace qrv
