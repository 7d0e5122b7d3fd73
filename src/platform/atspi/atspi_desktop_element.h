#pragma once

#include "platform/atspi/atspi_element.h"

namespace qrv {

// The desktop as the root of the tree: its children are the top-level
// windows of all applications, skipping the application level in between.
class AtspiDesktopElement : public AtspiElement {
  public:
    using AtspiElement::AtspiElement;
    std::vector<ElementPtr> Children(size_t limit) override;
};

}  // namespace qrv
