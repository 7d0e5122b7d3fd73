#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace qrv {

// Invokes a control of another application's window.
class ElementClicker {
  public:
    virtual ~ElementClicker() = default;
    // Finds the element in the first top-level window named windowName and
    // invokes it; false when not found or not invokable, or when *stop turned
    // non-zero during the search.
    virtual bool ClickElement(const std::string& windowName, const std::string& elementName,
                              const std::string& elementValue, bool doNotUseValue,
                              const std::atomic<int32_t>* stop = nullptr) = 0;
};

}  // namespace qrv
