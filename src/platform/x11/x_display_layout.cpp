#include "platform/x11/x_display_layout.h"

#include "platform/x11/x_desktop_geometry_watch.h"
#include "platform/x11/x_display.h"

namespace qrv {

XDisplayLayout::XDisplayLayout(const std::string& displayName)
    : m_pDisplay(XDisplay::Open(displayName)) {
    if (m_pDisplay) {
        m_pGeometry = std::make_unique<XDesktopGeometryWatch>(m_pDisplay->Get());
    }
}

XDisplayLayout::~XDisplayLayout() = default;

Rect XDisplayLayout::VirtualScreen() {
    if (!m_pDisplay) {
        return {};
    }
    std::lock_guard lock(m_mutex);
    return m_pGeometry->Current().VirtualScreen();
}

std::vector<Rect> XDisplayLayout::Monitors() {
    if (!m_pDisplay) {
        return {};
    }
    std::lock_guard lock(m_mutex);
    return m_pGeometry->Current().Monitors();
}

}  // namespace qrv
