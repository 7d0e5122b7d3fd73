#include "platform/wayland/wayland_window_activator.h"

#include "platform/wayland/wayland_toplevel_list.h"

namespace qrv {

WaylandWindowActivator::WaylandWindowActivator(std::shared_ptr<WaylandToplevelList> list)
    : m_pList(std::move(list)) {}

WaylandWindowActivator::~WaylandWindowActivator() = default;

void WaylandWindowActivator::Activate(WindowId window) {
    m_pList->Activate(window);
}

}  // namespace qrv
