#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/base/pixel_image.h"

struct pw_thread_loop;
struct pw_context;
struct pw_core;
struct pw_stream;
struct spa_hook;
struct spa_pod;

namespace qrv {

// A PipeWire video stream read into memory: it connects to one node (a
// screen-cast stream of the desktop portal, or any video source), takes raw
// 32-bit frames and keeps the latest as blue, green, red, x. PipeWire runs it
// on a thread of its own; the frame is read from any thread.
class PipeWireStream {
  public:
    // Connects through `remoteFd` (a PipeWire remote the portal opened; -1 for
    // the user's PipeWire) to the node with id `nodeId`, or to the node named
    // `nodeName` when that is not empty. Null when PipeWire is not reachable.
    static std::unique_ptr<PipeWireStream> Connect(int remoteFd, uint32_t nodeId,
                                                   const std::string& nodeName = {});
    ~PipeWireStream();
    PipeWireStream(const PipeWireStream&) = delete;
    PipeWireStream& operator=(const PipeWireStream&) = delete;

    // Waits up to `timeoutMs` for a frame newer than the last one read and
    // copies it into `into`; false when none came or the stream failed.
    bool NextFrame(PixelImage& into, int timeoutMs);
    // Copies the newest frame into `into`, waiting up to `timeoutMs` only when
    // none has come yet; false when there is none.
    bool LatestFrame(PixelImage& into, int timeoutMs);
    // Whether PipeWire ended the stream (no such node, the node went away).
    bool Failed();

  private:
    PipeWireStream() = default;
    static void OnParamChanged(void* data, uint32_t id, const spa_pod* param);
    static void OnProcess(void* data);
    void OnEnded();
    bool CopyFrameAfter(std::unique_lock<std::mutex>& lock, uint64_t seen, PixelImage& into,
                        int timeoutMs);

    pw_thread_loop* m_loop = nullptr;
    pw_context* m_context = nullptr;
    pw_core* m_core = nullptr;
    pw_stream* m_stream = nullptr;
    std::unique_ptr<spa_hook> m_listener;
    // Negotiated on the PipeWire thread.
    uint32_t m_format = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    // The latest frame, guarded by m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    PixelImage m_frame;
    uint64_t m_frames = 0;
    uint64_t m_framesRead = 0;
    bool m_failed = false;
};

}  // namespace qrv
