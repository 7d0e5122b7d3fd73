#include "platform/wayland/screencopy_frame.h"

#include <wayland-client.h>

#include <limits>

#include "platform/wayland/wayland_shm_buffer.h"
#include "wayland/wlr-screencopy-unstable-v1-client.h"

namespace qrv {

ScreencopyFrame::ScreencopyFrame(zwlr_screencopy_manager_v1* manager, wl_output* output,
                                 std::function<void()> changed)
    : m_changed(std::move(changed)) {
    static const zwlr_screencopy_frame_v1_listener kListener{
        .buffer = &OnBuffer,
        .flags = &OnFlags,
        .ready = &OnReady,
        .failed = &OnFailed,
        .damage = [](void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t, uint32_t) {},
        .linux_dmabuf = [](void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {},
        .buffer_done = &OnBufferDone,
    };
    m_frame = zwlr_screencopy_manager_v1_capture_output(manager, 0, output);
    zwlr_screencopy_frame_v1_add_listener(m_frame, &kListener, this);
}

ScreencopyFrame::~ScreencopyFrame() {
    zwlr_screencopy_frame_v1_destroy(m_frame);
}

bool ScreencopyFrame::Offered() const {
    // Version 3 ends the offers with buffer_done; before it the shm offer is the only one.
    const bool listsOffers = zwlr_screencopy_frame_v1_get_version(m_frame) >=
                             ZWLR_SCREENCOPY_FRAME_V1_BUFFER_DONE_SINCE_VERSION;
    return listsOffers ? m_specDone : m_haveShm;
}

void ScreencopyFrame::Copy(const WaylandShmBuffer& buffer, bool withDamage) {
    if (withDamage) {
        zwlr_screencopy_frame_v1_copy_with_damage(m_frame, buffer.Get());
    } else {
        zwlr_screencopy_frame_v1_copy(m_frame, buffer.Get());
    }
    m_copying = true;
}

void ScreencopyFrame::OnBuffer(void* data, zwlr_screencopy_frame_v1*, uint32_t format,
                               uint32_t width, uint32_t height, uint32_t stride) {
    auto* self = static_cast<ScreencopyFrame*>(data);
    constexpr uint32_t kMax = std::numeric_limits<int32_t>::max();
    if (width > kMax || height > kMax || stride > kMax) {
        self->m_failed = true;
    } else {
        self->m_spec = BufferSpec{format, int32_t(width), int32_t(height), int32_t(stride)};
        self->m_haveShm = true;
    }
    self->m_changed();
}

void ScreencopyFrame::OnFlags(void* data, zwlr_screencopy_frame_v1*, uint32_t flags) {
    static_cast<ScreencopyFrame*>(data)->m_yInvert =
        (flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0;
}

void ScreencopyFrame::OnReady(void* data, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {
    auto* self = static_cast<ScreencopyFrame*>(data);
    self->m_ready = true;
    self->m_changed();
}

void ScreencopyFrame::OnFailed(void* data, zwlr_screencopy_frame_v1*) {
    auto* self = static_cast<ScreencopyFrame*>(data);
    self->m_failed = true;
    self->m_changed();
}

void ScreencopyFrame::OnBufferDone(void* data, zwlr_screencopy_frame_v1*) {
    auto* self = static_cast<ScreencopyFrame*>(data);
    self->m_specDone = true;
    self->m_changed();
}

}  // namespace qrv
