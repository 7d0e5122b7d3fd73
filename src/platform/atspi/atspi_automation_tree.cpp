#include "platform/atspi/atspi_automation_tree.h"

#include <atspi/atspi.h>

#include <mutex>

#include "platform/atspi/atspi_desktop_element.h"
#include "platform/atspi/atspi_lock.h"

namespace qrv {

std::shared_ptr<AutomationTree> AtspiAutomationTree::Open() {
    std::lock_guard lock(AtspiLock());
    // 0: connected now, 1: connected before; anything else is a failure.
    const int status = atspi_init();
    if (status != 0 && status != 1) {
        return nullptr;
    }
    return std::make_shared<AtspiAutomationTree>();
}

ElementPtr AtspiAutomationTree::Root() {
    std::lock_guard lock(AtspiLock());
    AtspiAccessible* desktop = atspi_get_desktop(0);
    if (!desktop) {
        return nullptr;
    }
    return std::make_shared<AtspiDesktopElement>(desktop);
}

}  // namespace qrv
