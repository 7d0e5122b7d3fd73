#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/wayland/screencopy_frame.h"

struct wl_output;
struct zwlr_screencopy_manager_v1;

namespace qrv {

class WaylandDisplay;
class WaylandShmBuffer;

// The newest complete copy of one whole output. While captures are being
// made it keeps two damage-driven copies armed, so that every frame the
// compositor draws lands here without anyone waiting for it; after an idle
// spell it stops asking, and the next use waits for a fresh frame again.
// Its state changes only while the display's events are dispatched, which
// the owner serialises.
class ScreencopyStream {
  public:
    using Clock = std::chrono::steady_clock;

    ScreencopyStream(std::shared_ptr<WaylandDisplay> display, zwlr_screencopy_manager_v1* manager,
                     wl_output* output, Clock::duration idleAfter);
    ~ScreencopyStream();
    ScreencopyStream(const ScreencopyStream&) = delete;
    ScreencopyStream& operator=(const ScreencopyStream&) = delete;

    wl_output* Output() const { return m_output; }
    // Notes a capture at `now`; after an idle spell, or before the first
    // frame, asks for a frame right away, which Waiting() then awaits, and
    // returns true.
    bool Use(Clock::time_point now);
    // Whether the fresh frame, or the arming of a damage-driven copy, is
    // still to come.
    bool Waiting() const;
    bool Failed() const { return m_failed; }
    // The newest complete copy; null until one arrived or after a failure.
    const WaylandShmBuffer* Newest() const { return m_failed ? nullptr : m_newest.get(); }
    const ScreencopyFrame::BufferSpec& NewestSpec() const { return m_newestSpec; }
    bool NewestYInverted() const { return m_newestYInverted; }
    // After an idle spell, withdraws the copies still armed; call outside
    // event dispatch. Returns how long until that is due, or nullopt when
    // nothing is armed.
    std::optional<Clock::duration> StopWhenIdle(Clock::time_point now);
    // Copies armed and not yet complete.
    std::size_t Armed() const { return m_armed.size(); }
    // Frees the copies that completed; call outside event dispatch.
    void Sweep() { m_finished.clear(); }

  private:
    struct PendingCopy {
        std::unique_ptr<ScreencopyFrame> frame;
        std::shared_ptr<WaylandShmBuffer> buffer;
        bool withDamage = false;
    };

    void Arm(bool withDamage);
    // Keeps the damage-driven copies armed while captures are being made.
    void KeepArmed(Clock::time_point now);
    void OnFramesChanged() noexcept;
    void Advance();
    void Start(PendingCopy& armed);
    void Complete(PendingCopy& armed);
    std::shared_ptr<WaylandShmBuffer> SpareBuffer(const ScreencopyFrame::BufferSpec& spec);

    std::shared_ptr<WaylandDisplay> m_display;
    zwlr_screencopy_manager_v1* m_manager;
    wl_output* m_output;
    Clock::duration m_idleAfter;
    Clock::time_point m_lastUse;
    std::vector<PendingCopy> m_armed;
    std::vector<std::unique_ptr<ScreencopyFrame>> m_finished;
    std::vector<std::shared_ptr<WaylandShmBuffer>> m_spares;
    std::shared_ptr<WaylandShmBuffer> m_newest;
    ScreencopyFrame::BufferSpec m_newestSpec;
    bool m_newestYInverted = false;
    bool m_awaiting = false;
    // A copy completed while no other damage-driven one was armed.
    bool m_unwatched = false;
    bool m_failed = false;
};

}  // namespace qrv
