#include "platform/wayland/wayland_top_level_windows.h"

#include "platform/wayland/wayland_toplevel_list.h"

namespace qrv {

WaylandTopLevelWindows::WaylandTopLevelWindows(std::shared_ptr<WaylandToplevelList> list)
    : m_list(std::move(list)) {}

WaylandTopLevelWindows::~WaylandTopLevelWindows() = default;

std::vector<TopLevelWindow> WaylandTopLevelWindows::Enumerate() {
    return m_list->Enumerate();
}

}  // namespace qrv
