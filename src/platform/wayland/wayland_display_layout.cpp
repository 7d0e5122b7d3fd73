#include "platform/wayland/wayland_display_layout.h"

#include "platform/wayland_client/wayland_display.h"

namespace qrv {

WaylandDisplayLayout::WaylandDisplayLayout(const std::string& displayName)
    : m_display(WaylandDisplay::Open(displayName)) {}

WaylandDisplayLayout::~WaylandDisplayLayout() = default;

Rect WaylandDisplayLayout::VirtualScreen() {
    if (!m_display) {
        return {};
    }
    std::lock_guard lock(m_mutex);
    m_display->DispatchArrived();
    return m_display->Layout().VirtualScreen();
}

std::vector<Rect> WaylandDisplayLayout::Monitors() {
    if (!m_display) {
        return {};
    }
    std::lock_guard lock(m_mutex);
    m_display->DispatchArrived();
    return m_display->Layout().Monitors();
}

}  // namespace qrv
