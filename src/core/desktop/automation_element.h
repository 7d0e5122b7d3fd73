#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/base/geometry.h"

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
    // The text of a text element, else the current value as text, else empty;
    // always empty for a password field.
    virtual std::string Value() = 0;
    // Enabled, editable and not read-only.
    virtual bool CanSetValue() = 0;
    virtual ElementKind Kind() = 0;
    // True when Invoke has a press or click to perform.
    virtual bool IsInvokable() = 0;
    virtual int64_t ProcessId() = 0;
    // The first `limit` children in order.
    virtual std::vector<ElementPtr> Children(size_t limit) = 0;
    // A container that creates its children on demand (a long list, a table):
    // they are not walked.
    virtual bool ManagesDescendants() = 0;
    // The extents on the screen, when the toolkit tells them.
    virtual std::optional<Rect> ScreenBounds() = 0;
    virtual bool Invoke() = 0;
    virtual bool Focus() = 0;
};

}  // namespace qrv
