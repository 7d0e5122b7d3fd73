#include "fakes/fake_display_layout.h"

#include <algorithm>
#include <utility>

namespace qrv {

Rect FakeDisplayLayout::VirtualScreen() {
    std::lock_guard lock(m_mutex);
    Rect box{0, 0, 0, 0};
    for (const Rect& m : m_monitors) {
        box = {std::min(box.left, m.left), std::min(box.top, m.top), std::max(box.right, m.right),
               std::max(box.bottom, m.bottom)};
    }
    return box;
}

std::vector<Rect> FakeDisplayLayout::Monitors() {
    std::lock_guard lock(m_mutex);
    return m_monitors;
}

void FakeDisplayLayout::SetMonitors(std::vector<Rect> monitors) {
    std::lock_guard lock(m_mutex);
    m_monitors = std::move(monitors);
}

}  // namespace qrv
