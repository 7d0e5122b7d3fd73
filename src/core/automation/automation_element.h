#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qrv {

// What an element is, as far as the control browser cares.
enum class ElementKind { Other, Edit };

class AutomationElement;
using ElementPtr = std::shared_ptr<AutomationElement>;

// One node of another application's accessibility tree. Reads that fail give
// empty or false results; they never throw.
class AutomationElement {
  public:
    virtual ~AutomationElement() = default;
    virtual std::string Name() = 0;
    // The text of a text element, else the current value as text, else empty.
    virtual std::string Value() = 0;
    // Enabled, editable and not read-only.
    virtual bool CanSetValue() = 0;
    virtual ElementKind Kind() = 0;
    // True when Invoke has an action to perform.
    virtual bool IsInvokable() = 0;
    virtual int64_t ProcessId() = 0;
    virtual std::vector<ElementPtr> Children() = 0;
    virtual bool Invoke() = 0;
    virtual bool Focus() = 0;
};

}  // namespace qrv
