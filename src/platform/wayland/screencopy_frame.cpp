#include "platform/wayland/screencopy_frame.h"

#include <wayland-client.h>

#include <limits>

#include "platform/wayland/wayland_display.h"
#include "platform/wayland/wayland_shm_buffer.h"
#include "wayland/wlr-screencopy-unstable-v1-client.h"

namespace qrv {

ScreencopyFrame::ScreencopyFrame(WaylandDisplay& display, zwlr_screencopy_manager_v1* manager,
                                 wl_output* output, const Rect& region)
    : m_display(display) {
    static const zwlr_screencopy_frame_v1_listener kListener{
        .buffer = &OnBuffer,
        .flags = &OnFlags,
        .ready = &OnReady,
        .failed = &OnFailed,
        .damage = [](void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t, uint32_t) {},
        .linux_dmabuf = [](void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {},
        .buffer_done = &OnBufferDone,
    };
    m_pFrame = zwlr_screencopy_manager_v1_capture_output_region(
        manager, 0, output, region.left, region.top, region.Width(), region.Height());
    zwlr_screencopy_frame_v1_add_listener(m_pFrame, &kListener, this);
}

ScreencopyFrame::~ScreencopyFrame() {
    zwlr_screencopy_frame_v1_destroy(m_pFrame);
}

bool ScreencopyFrame::AwaitSpec() {
    // Version 3 ends the offers with buffer_done; before it the shm offer is the only one.
    const bool listsOffers = zwlr_screencopy_frame_v1_get_version(m_pFrame) >=
                             ZWLR_SCREENCOPY_FRAME_V1_BUFFER_DONE_SINCE_VERSION;
    m_display.DispatchUntil([&] { return m_bFailed || (listsOffers ? m_bSpecDone : m_bHaveShm); });
    return m_bHaveShm && !m_bFailed;
}

bool ScreencopyFrame::CopyInto(const WaylandShmBuffer& buffer) {
    zwlr_screencopy_frame_v1_copy(m_pFrame, buffer.Get());
    m_display.DispatchUntil([&] { return m_bReady || m_bFailed; });
    return m_bReady && !m_bFailed;
}

void ScreencopyFrame::OnBuffer(void* data, zwlr_screencopy_frame_v1*, uint32_t format,
                               uint32_t width, uint32_t height, uint32_t stride) {
    auto* self = static_cast<ScreencopyFrame*>(data);
    constexpr uint32_t kMax = std::numeric_limits<int32_t>::max();
    if (width > kMax || height > kMax || stride > kMax) {
        self->m_bFailed = true;
        return;
    }
    self->m_spec = BufferSpec{format, int32_t(width), int32_t(height), int32_t(stride)};
    self->m_bHaveShm = true;
}

void ScreencopyFrame::OnFlags(void* data, zwlr_screencopy_frame_v1*, uint32_t flags) {
    static_cast<ScreencopyFrame*>(data)->m_bYInvert =
        (flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0;
}

void ScreencopyFrame::OnReady(void* data, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {
    static_cast<ScreencopyFrame*>(data)->m_bReady = true;
}

void ScreencopyFrame::OnFailed(void* data, zwlr_screencopy_frame_v1*) {
    static_cast<ScreencopyFrame*>(data)->m_bFailed = true;
}

void ScreencopyFrame::OnBufferDone(void* data, zwlr_screencopy_frame_v1*) {
    static_cast<ScreencopyFrame*>(data)->m_bSpecDone = true;
}

}  // namespace qrv
