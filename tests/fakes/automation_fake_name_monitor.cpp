#include "fakes/automation_fake_name_monitor.h"

namespace qrv {

bool FakeNameChangeMonitor::Watch(const ElementPtr& window, Callback onNameChanged) {
    ++watchCalls;
    watched = window;
    m_callback = std::move(onNameChanged);
    return accepts;
}

void FakeNameChangeMonitor::Unwatch() {
    ++unwatchCalls;
    watched.reset();
    m_callback = nullptr;
}

bool FakeNameChangeMonitor::Fire(const std::string& newName) {
    if (!watched || !accepts) {
        return false;
    }
    m_callback(newName);
    return true;
}

}  // namespace qrv
