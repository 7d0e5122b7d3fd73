#pragma once

#include <memory>

#include "core/desktop/automation_tree.h"

namespace qrv {

// The desktop's accessibility tree over the accessibility bus.
class AtspiAutomationTree : public AutomationTree {
  public:
    // Connects to the accessibility bus; null when there is none.
    static std::shared_ptr<AutomationTree> Open();
    ElementPtr Root() override;
};

}  // namespace qrv
