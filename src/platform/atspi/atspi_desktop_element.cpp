#include "platform/atspi/atspi_desktop_element.h"

#include <unistd.h>

#include <mutex>

#include "platform/atspi/atspi_lock.h"

namespace qrv {

std::vector<ElementPtr> AtspiDesktopElement::Children(size_t limit) {
    std::lock_guard lock(AtspiLock());
    std::vector<ElementPtr> windows;
    for (const ElementPtr& application : AtspiElement::Children(limit)) {
        // Our own accessibility bridge answers on the thread that is asking:
        // a call into it would wait for the bus timeout. Our windows are never
        // targets anyway.
        if (application->ProcessId() == int64_t(getpid())) {
            continue;
        }
        for (ElementPtr& window : application->Children(limit - windows.size())) {
            windows.push_back(std::move(window));
        }
    }
    return windows;
}

}  // namespace qrv
