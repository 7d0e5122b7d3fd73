#include "platform/wayland/wayland_window_activator.h"

#include "platform/wayland/wayland_toplevel_list.h"

namespace qrv {

WaylandWindowActivator::WaylandWindowActivator(std::shared_ptr<WaylandToplevelList> list)
    : m_list(std::move(list)) {}

WaylandWindowActivator::~WaylandWindowActivator() = default;

void WaylandWindowActivator::Activate(WindowId window) {
    m_list->Activate(window);
}

}  // namespace qrv
