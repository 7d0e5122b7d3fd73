#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/wayland_client/output_layout.h"

struct wl_display;
struct wl_registry;
struct wl_interface;
struct wl_shm;
struct wl_seat;
struct wl_output;
struct zxdg_output_manager_v1;

namespace qrv {

class WaylandOutput;

// One connection to the compositor: its globals, the shared-memory and seat
// globals, and every output with its layout geometry. Not thread-safe: each
// user keeps its own connection and serialises its calls.
class WaylandDisplay {
  public:
    // Connects to `name`, or to WAYLAND_DISPLAY when empty; null when that fails.
    static std::shared_ptr<WaylandDisplay> Open(const std::string& name = {});
    ~WaylandDisplay();
    WaylandDisplay(const WaylandDisplay&) = delete;
    WaylandDisplay& operator=(const WaylandDisplay&) = delete;

    wl_display* Get() const { return m_display; }
    wl_shm* Shm() const { return m_shm; }
    wl_seat* Seat() const { return m_seat; }
    // Whether the compositor offers a global of this interface name.
    bool Offers(const std::string& interface) const;
    // Binds the first global of the interface at the offered version, at most
    // `maxVersion`; null when none is offered. The caller owns the proxy.
    void* Bind(const wl_interface& interface, uint32_t maxVersion) const;
    uint32_t OfferedVersion(const std::string& interface) const;

    // The outputs as of the last dispatch.
    OutputLayout Layout() const;
    // The wl_output of OutputLayout::Outputs()[index], by output name.
    wl_output* OutputNamed(const std::string& name) const;

    // Sends the requests made so far and handles every event that answers them.
    bool Roundtrip();
    // Like Roundtrip, but false when the answer takes longer than `timeoutMs`.
    bool Sync(int timeoutMs = 3000);
    int Fd() const;
    // Handles events until `done` holds; false when the connection fails or
    // nothing arrives for `timeoutMs`.
    bool DispatchUntil(const std::function<bool()>& done, int timeoutMs = 3000);
    // Handles the events that have arrived, without waiting, and sends the
    // requests their handlers made.
    bool DispatchArrived();
    bool Failed() const;

  private:
    struct Global {
        uint32_t name;
        std::string interface;
        uint32_t version;
    };

    explicit WaylandDisplay(wl_display* display);
    static void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                         uint32_t version);
    static void OnGlobalRemove(void* data, wl_registry* registry, uint32_t name);
    void AddOutput(uint32_t name, uint32_t version);

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_shm* m_shm = nullptr;
    wl_seat* m_seat = nullptr;
    zxdg_output_manager_v1* m_xdgOutputs = nullptr;
    std::vector<Global> m_globals;
    std::vector<std::unique_ptr<WaylandOutput>> m_outputs;
};

}  // namespace qrv
