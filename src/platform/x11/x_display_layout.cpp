#include "platform/x11/x_display_layout.h"

#include "platform/x11/x_desktop_geometry_watch.h"
#include "platform/x11/x_display.h"

namespace qrv {

XDisplayLayout::XDisplayLayout(const std::string& displayName)
    : m_display(XDisplay::Open(displayName)) {
    if (m_display) {
        m_geometry = std::make_unique<XDesktopGeometryWatch>(m_display->Get());
    }
}

XDisplayLayout::~XDisplayLayout() = default;

Rect XDisplayLayout::VirtualScreen() {
    if (!m_display) {
        return {};
    }
    std::lock_guard lock(m_mutex);
    return m_geometry->Current().VirtualScreen();
}

std::vector<Rect> XDisplayLayout::Monitors() {
    if (!m_display) {
        return {};
    }
    std::lock_guard lock(m_mutex);
    return m_geometry->Current().Monitors();
}

}  // namespace qrv
