#include "platform/wayland/wayland_display_layout.h"

#include "platform/wayland/wayland_display.h"

namespace qrv {

WaylandDisplayLayout::WaylandDisplayLayout(const std::string& displayName)
    : m_pDisplay(WaylandDisplay::Open(displayName)) {}

WaylandDisplayLayout::~WaylandDisplayLayout() = default;

Rect WaylandDisplayLayout::VirtualScreen() {
    if (!m_pDisplay) {
        return {};
    }
    std::lock_guard lock(m_mutex);
    m_pDisplay->DispatchArrived();
    return m_pDisplay->Layout().VirtualScreen();
}

std::vector<Rect> WaylandDisplayLayout::Monitors() {
    if (!m_pDisplay) {
        return {};
    }
    std::lock_guard lock(m_mutex);
    m_pDisplay->DispatchArrived();
    return m_pDisplay->Layout().Monitors();
}

}  // namespace qrv
