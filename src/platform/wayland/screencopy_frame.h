#pragma once

#include <cstdint>
#include <functional>

struct wl_output;
struct zwlr_screencopy_frame_v1;
struct zwlr_screencopy_manager_v1;

namespace qrv {

class WaylandShmBuffer;

// One screencopy of a whole output, driven by the compositor's events: it
// learns the buffer the compositor wants, has it filled and reports the
// outcome. `changed` runs (while events are dispatched) whenever it moves on.
class ScreencopyFrame {
  public:
    struct BufferSpec {
        uint32_t format = 0;
        int32_t width = 0;
        int32_t height = 0;
        int32_t stride = 0;
    };

    ScreencopyFrame(zwlr_screencopy_manager_v1* manager, wl_output* output,
                    std::function<void()> changed);
    ~ScreencopyFrame();
    ScreencopyFrame(const ScreencopyFrame&) = delete;
    ScreencopyFrame& operator=(const ScreencopyFrame&) = delete;

    // Whether every buffer offer has arrived (Spec() holds the shared-memory one).
    bool Offered() const;
    const BufferSpec& Spec() const { return m_spec; }
    // Has the compositor copy into `buffer`: at its next frame, or with
    // `withDamage` at its next frame that changed anything since our last copy.
    void Copy(const WaylandShmBuffer& buffer, bool withDamage);
    bool Copying() const { return m_copying; }
    bool Ready() const { return m_ready; }
    bool Failed() const { return m_failed; }
    // Whether the copy's rows run bottom first.
    bool YInverted() const { return m_yInvert; }

  private:
    static void OnBuffer(void* data, zwlr_screencopy_frame_v1* frame, uint32_t format,
                         uint32_t width, uint32_t height, uint32_t stride);
    static void OnFlags(void* data, zwlr_screencopy_frame_v1* frame, uint32_t flags);
    static void OnReady(void* data, zwlr_screencopy_frame_v1* frame, uint32_t, uint32_t, uint32_t);
    static void OnFailed(void* data, zwlr_screencopy_frame_v1* frame);
    static void OnBufferDone(void* data, zwlr_screencopy_frame_v1* frame);

    zwlr_screencopy_frame_v1* m_frame = nullptr;
    std::function<void()> m_changed;
    BufferSpec m_spec;
    bool m_haveShm = false;
    bool m_specDone = false;
    bool m_copying = false;
    bool m_yInvert = false;
    bool m_ready = false;
    bool m_failed = false;
};

}  // namespace qrv
