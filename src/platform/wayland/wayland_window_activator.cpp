#include "platform/wayland/wayland_window_activator.h"

#include "platform/wayland/wayland_toplevel_list.h"

namespace qrv {

WaylandWindowActivator::WaylandWindowActivator(std::shared_ptr<WaylandToplevelList> list)
    : m_list(std::move(list)) {}

WaylandWindowActivator::~WaylandWindowActivator() = default;

void WaylandWindowActivator::Activate(WindowId window) {
    std::optional<OwnWindow> own;
    {
        std::lock_guard lock(m_mutex);
        if (m_own && m_own->id == window) {
            own = m_own;
        }
    }
    // The own window is never taken for a listed one that shares its id.
    m_list->Activate(own ? m_list->Find(own->appId, own->title) : window);
}

void WaylandWindowActivator::DescribeOwnWindow(WindowId window, const std::string& appId,
                                               const std::string& title) {
    std::lock_guard lock(m_mutex);
    m_own = OwnWindow{window, appId, title};
}

}  // namespace qrv
