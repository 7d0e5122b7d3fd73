#include "fakes/fake_top_level_windows.h"

#include <utility>

namespace qrv {

std::vector<TopLevelWindow> FakeTopLevelWindows::Enumerate() {
    std::lock_guard lock(m_mutex);
    ++m_enumerations;
    return m_windows;
}

void FakeTopLevelWindows::SetWindows(std::vector<TopLevelWindow> windows) {
    std::lock_guard lock(m_mutex);
    m_windows = std::move(windows);
}

int FakeTopLevelWindows::Enumerations() const {
    std::lock_guard lock(m_mutex);
    return m_enumerations;
}

}  // namespace qrv
