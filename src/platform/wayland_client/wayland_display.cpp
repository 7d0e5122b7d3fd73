#include "platform/wayland_client/wayland_display.h"

#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "platform/wayland_client/wayland_output.h"
#include "wayland/xdg-output-unstable-v1-client.h"

namespace qrv {

std::shared_ptr<WaylandDisplay> WaylandDisplay::Open(const std::string& name) {
    wl_display* display = wl_display_connect(name.empty() ? nullptr : name.c_str());
    if (!display) {
        return nullptr;
    }
    std::shared_ptr<WaylandDisplay> self(new WaylandDisplay(display));
    // Globals first, then the outputs' descriptions they lead to.
    if (!self->Roundtrip() || !self->Roundtrip() || !self->m_shm) {
        return nullptr;
    }
    return self;
}

WaylandDisplay::WaylandDisplay(wl_display* display) : m_display(display) {
    static const wl_registry_listener kListener{.global = &OnGlobal,
                                                .global_remove = &OnGlobalRemove};
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &kListener, this);
}

WaylandDisplay::~WaylandDisplay() {
    m_outputs.clear();
    if (m_xdgOutputs) {
        zxdg_output_manager_v1_destroy(m_xdgOutputs);
    }
    if (m_seat) {
        wl_seat_destroy(m_seat);
    }
    if (m_shm) {
        wl_shm_destroy(m_shm);
    }
    wl_registry_destroy(m_registry);
    wl_display_disconnect(m_display);
}

void WaylandDisplay::OnGlobal(void* data, wl_registry* registry, uint32_t name,
                              const char* interface, uint32_t version) {
    auto* self = static_cast<WaylandDisplay*>(data);
    std::string type = interface;
    self->m_globals.push_back(Global{name, type, version});
    if (type == wl_shm_interface.name && !self->m_shm) {
        self->m_shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    } else if (type == wl_seat_interface.name && !self->m_seat) {
        self->m_seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (type == zxdg_output_manager_v1_interface.name && !self->m_xdgOutputs) {
        // Outputs announced earlier were described without it; describe them again.
        self->m_xdgOutputs = static_cast<zxdg_output_manager_v1*>(wl_registry_bind(
            registry, name, &zxdg_output_manager_v1_interface, std::min(version, 3u)));
        std::vector<std::pair<uint32_t, uint32_t>> outputs;
        for (const auto& o : self->m_outputs) {
            outputs.emplace_back(o->GlobalName(), wl_output_get_version(o->Get()));
        }
        self->m_outputs.clear();
        for (auto [global, v] : outputs) {
            self->AddOutput(global, v);
        }
    } else if (type == wl_output_interface.name) {
        self->AddOutput(name, version);
    }
}

void WaylandDisplay::AddOutput(uint32_t name, uint32_t version) {
    auto* output = static_cast<wl_output*>(
        wl_registry_bind(m_registry, name, &wl_output_interface, std::min(version, 4u)));
    m_outputs.push_back(std::make_unique<WaylandOutput>(output, name, m_xdgOutputs));
}

void WaylandDisplay::OnGlobalRemove(void* data, wl_registry*, uint32_t name) {
    auto* self = static_cast<WaylandDisplay*>(data);
    std::erase_if(self->m_globals, [name](const Global& g) { return g.name == name; });
    std::erase_if(self->m_outputs, [name](const auto& o) { return o->GlobalName() == name; });
}

bool WaylandDisplay::Offers(const std::string& interface) const {
    return OfferedVersion(interface) > 0;
}

uint32_t WaylandDisplay::OfferedVersion(const std::string& interface) const {
    for (const Global& g : m_globals) {
        if (g.interface == interface) {
            return g.version;
        }
    }
    return 0;
}

void* WaylandDisplay::Bind(const wl_interface& interface, uint32_t maxVersion) const {
    for (const Global& g : m_globals) {
        if (g.interface == interface.name) {
            return wl_registry_bind(m_registry, g.name, &interface,
                                    std::min({g.version, maxVersion, uint32_t(interface.version)}));
        }
    }
    return nullptr;
}

OutputLayout WaylandDisplay::Layout() const {
    std::vector<OutputGeometry> outputs;
    for (const auto& o : m_outputs) {
        outputs.push_back(o->Geometry());
    }
    return OutputLayout(std::move(outputs));
}

wl_output* WaylandDisplay::OutputNamed(const std::string& name) const {
    for (const auto& o : m_outputs) {
        if (o->Geometry().name == name) {
            return o->Get();
        }
    }
    return nullptr;
}

bool WaylandDisplay::Roundtrip() {
    return wl_display_roundtrip(m_display) >= 0;
}

bool WaylandDisplay::Sync(int timeoutMs) {
    static const wl_callback_listener kListener{
        .done = [](void* data, wl_callback*, uint32_t) { *static_cast<bool*>(data) = true; }};
    bool answered = false;
    wl_callback* callback = wl_display_sync(m_display);
    wl_callback_add_listener(callback, &kListener, &answered);
    DispatchUntil([&] { return answered; }, timeoutMs);
    wl_callback_destroy(callback);
    return answered;
}

int WaylandDisplay::Fd() const {
    return wl_display_get_fd(m_display);
}

bool WaylandDisplay::Failed() const {
    return wl_display_get_error(m_display) != 0;
}

bool WaylandDisplay::DispatchArrived() {
    return DispatchUntil([] { return true; }, 0) &&
           (wl_display_flush(m_display) >= 0 || errno == EAGAIN);
}

bool WaylandDisplay::DispatchUntil(const std::function<bool()>& done, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (wl_display_dispatch_pending(m_display) < 0) {
            return false;
        }
        while (wl_display_prepare_read(m_display) != 0) {
            if (wl_display_dispatch_pending(m_display) < 0) {
                return false;
            }
        }
        if (wl_display_flush(m_display) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(m_display);
            return false;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const bool finished = done();
        pollfd fd{wl_display_get_fd(m_display), POLLIN, 0};
        const int ready = poll(&fd, 1, finished ? 0 : std::max<int>(0, int(left.count())));
        if (ready > 0) {
            if (wl_display_read_events(m_display) < 0) {
                return false;
            }
        } else {
            wl_display_cancel_read(m_display);
            if (ready < 0 && errno != EINTR) {
                return false;
            }
        }
        if (wl_display_dispatch_pending(m_display) < 0) {
            return false;
        }
        if (done()) {
            return true;
        }
        if (ready == 0 && Clock::now() >= deadline) {
            return false;
        }
    }
}

}  // namespace qrv
