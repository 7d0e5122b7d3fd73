#include "platform/wayland/screencopy_stream.h"

#include <wayland-client.h>

#include <algorithm>
#include <new>

#include "platform/wayland/wayland_shm_buffer.h"

namespace qrv {
namespace {

// Damage-driven copies kept armed: while the compositor answers one, the
// other still catches the next frame.
constexpr std::ptrdiff_t kArmedCopies = 2;

// wl_shm formats with 4 bytes a pixel that captures can read.
bool Readable(uint32_t format) {
    return format == WL_SHM_FORMAT_XRGB8888 || format == WL_SHM_FORMAT_ARGB8888 ||
           format == WL_SHM_FORMAT_XBGR8888 || format == WL_SHM_FORMAT_ABGR8888;
}

}  // namespace

ScreencopyStream::ScreencopyStream(std::shared_ptr<WaylandDisplay> display,
                                   zwlr_screencopy_manager_v1* manager, wl_output* output,
                                   Clock::duration idleAfter)
    : m_display(std::move(display)), m_manager(manager), m_output(output), m_idleAfter(idleAfter) {}

ScreencopyStream::~ScreencopyStream() = default;

bool ScreencopyStream::Use(Clock::time_point now) {
    const bool idle = m_armed.empty() || m_unwatched || now - m_lastUse >= m_idleAfter;
    m_lastUse = now;
    if (m_failed || (m_newest && !idle) || m_awaiting) {
        return false;
    }
    m_awaiting = true;
    m_unwatched = false;
    Arm(false);
    // Armed beside the fresh copy, the damage-driven ones watch from the
    // frame it shows on.
    KeepArmed(now);
    return true;
}

bool ScreencopyStream::Waiting() const {
    if (m_failed) {
        return false;
    }
    return m_awaiting || std::any_of(m_armed.begin(), m_armed.end(), [](const PendingCopy& p) {
               return p.withDamage && !p.frame->Copying() && !p.frame->Failed();
           });
}

void ScreencopyStream::KeepArmed(Clock::time_point now) {
    if (m_failed || now - m_lastUse >= m_idleAfter) {
        return;
    }
    while (std::count_if(m_armed.begin(), m_armed.end(),
                         [](const PendingCopy& p) { return p.withDamage; }) < kArmedCopies) {
        Arm(true);
    }
}

std::optional<ScreencopyStream::Clock::duration> ScreencopyStream::StopWhenIdle(
    Clock::time_point now) {
    if (m_armed.empty() || m_awaiting) {
        return std::nullopt;
    }
    const Clock::duration left = m_lastUse + m_idleAfter - now;
    if (left > Clock::duration::zero()) {
        return left;
    }
    m_armed.clear();
    return std::nullopt;
}

void ScreencopyStream::Arm(bool withDamage) {
    m_armed.push_back(PendingCopy{
        std::make_unique<ScreencopyFrame>(m_manager, m_output, [this] { OnFramesChanged(); }),
        nullptr, withDamage});
}

void ScreencopyStream::OnFramesChanged() noexcept {
    // Runs inside the compositor's events, where no exception may pass.
    try {
        Advance();
    } catch (const std::bad_alloc&) {
        m_failed = true;
    }
}

void ScreencopyStream::Advance() {
    for (std::size_t i = 0; i < m_armed.size();) {
        PendingCopy& armed = m_armed[i];
        if (!armed.frame->Failed() && !armed.frame->Ready()) {
            if (!armed.frame->Copying() && armed.frame->Offered()) {
                Start(armed);
            }
            ++i;
            continue;
        }
        if (armed.frame->Ready()) {
            Complete(armed);
        } else {
            m_failed = true;
        }
        // Destroyed outside dispatch: this may run inside the frame's own event.
        m_finished.push_back(std::move(armed.frame));
        m_armed.erase(m_armed.begin() + std::ptrdiff_t(i));
    }
    if (m_newest) {
        KeepArmed(Clock::now());
    }
}

void ScreencopyStream::Start(PendingCopy& armed) {
    const ScreencopyFrame::BufferSpec& spec = armed.frame->Spec();
    armed.buffer = Readable(spec.format) ? SpareBuffer(spec) : nullptr;
    if (!armed.buffer) {
        m_failed = true;
        return;
    }
    armed.frame->Copy(*armed.buffer, armed.withDamage);
}

void ScreencopyStream::Complete(PendingCopy& armed) {
    if (m_newest) {
        m_spares.push_back(std::move(m_newest));
    }
    m_newest = std::move(armed.buffer);
    m_newestSpec = armed.frame->Spec();
    m_newestYInverted = armed.frame->YInverted();
    if (!armed.withDamage) {
        m_awaiting = false;
    }
    // With no other damage-driven copy waiting at the compositor, a frame
    // drawn before one is armed again would go unseen: the next capture
    // waits for a fresh one.
    m_unwatched = std::none_of(m_armed.begin(), m_armed.end(), [&](const PendingCopy& p) {
        return &p != &armed && p.withDamage && p.frame->Copying() && !p.frame->Ready();
    });
}

std::shared_ptr<WaylandShmBuffer> ScreencopyStream::SpareBuffer(
    const ScreencopyFrame::BufferSpec& spec) {
    const auto fits = [&](const std::shared_ptr<WaylandShmBuffer>& b) {
        return b->Fits(spec.format, spec.width, spec.height, spec.stride);
    };
    std::erase_if(m_spares, [&](const auto& b) { return !fits(b); });
    if (!m_spares.empty()) {
        std::shared_ptr<WaylandShmBuffer> buffer = std::move(m_spares.back());
        m_spares.pop_back();
        return buffer;
    }
    return WaylandShmBuffer::Create(m_display, spec.format, spec.width, spec.height, spec.stride);
}

}  // namespace qrv
