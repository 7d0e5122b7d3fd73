#include "x11/x_display_layout.h"

#include "x11/x_desktop_geometry.h"
#include "x11/x_display.h"

namespace qrv {

XDisplayLayout::XDisplayLayout(const std::string& displayName)
    : m_pDisplay(XDisplay::Open(displayName)) {}

XDisplayLayout::~XDisplayLayout() = default;

Rect XDisplayLayout::VirtualScreen() {
    if (!m_pDisplay) {
        return {};
    }
    return XDesktopGeometry::Query(m_pDisplay->Get()).VirtualScreen();
}

std::vector<Rect> XDisplayLayout::Monitors() {
    if (!m_pDisplay) {
        return {};
    }
    return XDesktopGeometry::Query(m_pDisplay->Get()).Monitors();
}

}  // namespace qrv
