#include "platform/wayland/wayland_toplevel_list.h"

#include <wayland-client.h>

#include "platform/wayland_client/wayland_display.h"
#include "wayland/wlr-foreign-toplevel-management-unstable-v1-client.h"

namespace qrv {

WaylandToplevelList::WaylandToplevelList(const std::string& displayName)
    : m_display(WaylandDisplay::Open(displayName)) {
    if (!m_display) {
        return;
    }
    static const zwlr_foreign_toplevel_manager_v1_listener kListener{
        .toplevel = &OnToplevel,
        .finished = [](void*, zwlr_foreign_toplevel_manager_v1*) {},
    };
    m_manager = static_cast<zwlr_foreign_toplevel_manager_v1*>(
        m_display->Bind(zwlr_foreign_toplevel_manager_v1_interface, 3));
    if (m_manager) {
        zwlr_foreign_toplevel_manager_v1_add_listener(m_manager, &kListener, this);
        m_display->Roundtrip();
    }
}

WaylandToplevelList::~WaylandToplevelList() {
    for (const auto& t : m_toplevels) {
        zwlr_foreign_toplevel_handle_v1_destroy(t->handle);
    }
    if (m_manager) {
        zwlr_foreign_toplevel_manager_v1_destroy(m_manager);
    }
}

std::vector<TopLevelWindow> WaylandToplevelList::Enumerate() {
    std::lock_guard lock(m_mutex);
    std::vector<TopLevelWindow> windows;
    if (!m_manager || !m_display->Roundtrip()) {
        return windows;
    }
    DropClosed();
    for (const auto& t : m_toplevels) {
        if (t->described) {
            TopLevelWindow w;
            w.id = t->id;
            w.title = t->title;
            w.maximized = t->maximized;
            w.minimized = t->minimized;
            windows.push_back(std::move(w));
        }
    }
    return windows;
}

void WaylandToplevelList::Activate(WindowId window) {
    std::lock_guard lock(m_mutex);
    if (!m_manager || !m_display->Seat()) {
        return;
    }
    m_display->DispatchArrived();
    for (const auto& t : m_toplevels) {
        if (t->id == window && !t->closed) {
            if (t->minimized) {
                zwlr_foreign_toplevel_handle_v1_unset_minimized(t->handle);
            }
            zwlr_foreign_toplevel_handle_v1_activate(t->handle, m_display->Seat());
            m_display->Roundtrip();
            return;
        }
    }
}

WindowId WaylandToplevelList::Find(const std::string& appId, const std::string& title) {
    std::lock_guard lock(m_mutex);
    if (!m_manager || !m_display->Roundtrip()) {
        return 0;
    }
    for (const auto& t : m_toplevels) {
        if (t->described && !t->closed && t->appId == appId && t->title == title) {
            return t->id;
        }
    }
    return 0;
}

void WaylandToplevelList::OnToplevel(void* data, zwlr_foreign_toplevel_manager_v1*,
                                     zwlr_foreign_toplevel_handle_v1* handle) {
    static const zwlr_foreign_toplevel_handle_v1_listener kListener{
        .title = &OnTitle,
        .app_id = &OnAppId,
        .output_enter = [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {},
        .output_leave = [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {},
        .state = &OnState,
        .done = &OnDone,
        .closed = &OnClosed,
        .parent = [](void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {},
    };
    auto* self = static_cast<WaylandToplevelList*>(data);
    auto toplevel = std::make_unique<Toplevel>();
    toplevel->handle = handle;
    toplevel->id = self->m_nextId++;
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &kListener, toplevel.get());
    self->m_toplevels.push_back(std::move(toplevel));
}

void WaylandToplevelList::OnTitle(void* data, zwlr_foreign_toplevel_handle_v1*, const char* title) {
    static_cast<Toplevel*>(data)->title = title;
}

void WaylandToplevelList::OnAppId(void* data, zwlr_foreign_toplevel_handle_v1*, const char* appId) {
    static_cast<Toplevel*>(data)->appId = appId;
}

void WaylandToplevelList::OnState(void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states) {
    auto* t = static_cast<Toplevel*>(data);
    t->maximized = false;
    t->minimized = false;
    const auto* state = static_cast<const uint32_t*>(states->data);
    for (std::size_t i = 0; i < states->size / sizeof(uint32_t); ++i) {
        t->maximized |= state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MAXIMIZED;
        t->minimized |= state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MINIMIZED;
    }
}

void WaylandToplevelList::OnDone(void* data, zwlr_foreign_toplevel_handle_v1*) {
    static_cast<Toplevel*>(data)->described = true;
}

// The window is gone; its handle goes at the next enumeration.
void WaylandToplevelList::OnClosed(void* data, zwlr_foreign_toplevel_handle_v1*) {
    static_cast<Toplevel*>(data)->closed = true;
}

void WaylandToplevelList::DropClosed() {
    std::erase_if(m_toplevels, [](const std::unique_ptr<Toplevel>& t) {
        if (t->closed) {
            zwlr_foreign_toplevel_handle_v1_destroy(t->handle);
        }
        return t->closed;
    });
}

}  // namespace qrv
