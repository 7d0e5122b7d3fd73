#pragma once

#include <cstdint>

#include "core/search/geometry.h"

struct wl_output;
struct zwlr_screencopy_frame_v1;
struct zwlr_screencopy_manager_v1;

namespace qrv {

class WaylandDisplay;
class WaylandShmBuffer;

// One screencopy of a region of an output: asks for it, learns the buffer the
// compositor wants, has it filled and waits for the outcome.
class ScreencopyFrame {
  public:
    struct BufferSpec {
        uint32_t format = 0;
        int32_t width = 0;
        int32_t height = 0;
        int32_t stride = 0;
    };

    // `region` is in the output's logical coordinates.
    ScreencopyFrame(WaylandDisplay& display, zwlr_screencopy_manager_v1* manager, wl_output* output,
                    const Rect& region);
    ~ScreencopyFrame();
    ScreencopyFrame(const ScreencopyFrame&) = delete;
    ScreencopyFrame& operator=(const ScreencopyFrame&) = delete;

    // Waits for the shared-memory buffer the compositor will fill; false when
    // it offers none or fails.
    bool AwaitSpec();
    const BufferSpec& Spec() const { return m_spec; }
    // Has the compositor copy into `buffer` and waits until it has.
    bool CopyInto(const WaylandShmBuffer& buffer);
    // Whether the copy's rows run bottom first.
    bool YInverted() const { return m_bYInvert; }

  private:
    static void OnBuffer(void* data, zwlr_screencopy_frame_v1* frame, uint32_t format,
                         uint32_t width, uint32_t height, uint32_t stride);
    static void OnFlags(void* data, zwlr_screencopy_frame_v1* frame, uint32_t flags);
    static void OnReady(void* data, zwlr_screencopy_frame_v1* frame, uint32_t, uint32_t, uint32_t);
    static void OnFailed(void* data, zwlr_screencopy_frame_v1* frame);
    static void OnBufferDone(void* data, zwlr_screencopy_frame_v1* frame);

    WaylandDisplay& m_display;
    zwlr_screencopy_frame_v1* m_pFrame = nullptr;
    BufferSpec m_spec;
    bool m_bHaveShm = false;
    bool m_bSpecDone = false;
    bool m_bYInvert = false;
    bool m_bReady = false;
    bool m_bFailed = false;
};

}  // namespace qrv
