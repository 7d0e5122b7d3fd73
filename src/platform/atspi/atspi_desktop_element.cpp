#include "atspi/atspi_desktop_element.h"

#include <mutex>

#include "atspi/atspi_lock.h"

namespace qrv {

std::vector<ElementPtr> AtspiDesktopElement::Children() {
    std::lock_guard lock(AtspiLock());
    std::vector<ElementPtr> windows;
    for (const ElementPtr& application : AtspiElement::Children()) {
        for (ElementPtr& window : application->Children()) {
            windows.push_back(std::move(window));
        }
    }
    return windows;
}

}  // namespace qrv
