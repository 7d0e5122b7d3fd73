#pragma once

#include <string>

namespace qrv {

// Invokes a control of another application's window.
class ElementClicker {
public:
    virtual ~ElementClicker() = default;
    // Finds the element in the first top-level window named windowName and
    // invokes it; false when not found or not invokable.
    virtual bool ClickElement(const std::string& windowName, const std::string& elementName,
                              const std::string& elementValue, bool doNotUseValue) = 0;
};

}  // namespace qrv
