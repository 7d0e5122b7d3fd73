#include "platform/portal/pipewire_stream.h"

// PipeWire's headers build their parameters with C compound literals.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <pipewire/pipewire.h>
#include <spa/param/video/format-utils.h>
#pragma GCC diagnostic pop

#include <unistd.h>

#include <chrono>
#include <cstring>
#include <optional>

#include "platform/portal/picture_rows.h"

namespace qrv {
namespace {

// Frames larger than this are refused: 16384 x 8192 pixels.
constexpr int64_t kMaxPixels = int64_t(16384) * 8192;

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
// The raw video formats taken: 32 bits a pixel, the ignored byte anywhere.
const spa_pod* VideoFormats(spa_pod_builder* builder) {
    const spa_rectangle smallest = SPA_RECTANGLE(1, 1);
    const spa_rectangle largest = SPA_RECTANGLE(16384, 8192);
    const spa_rectangle preferred = SPA_RECTANGLE(1920, 1080);
    const spa_fraction noRate = SPA_FRACTION(0, 1);
    const spa_fraction maxRate = SPA_FRACTION(1000, 1);
    const spa_fraction preferredRate = SPA_FRACTION(30, 1);
    return static_cast<const spa_pod*>(spa_pod_builder_add_object(
        builder, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
        SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype,
        SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw), SPA_FORMAT_VIDEO_format,
        SPA_POD_CHOICE_ENUM_Id(5, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_BGRx,
                               SPA_VIDEO_FORMAT_BGRA, SPA_VIDEO_FORMAT_RGBx, SPA_VIDEO_FORMAT_RGBA),
        SPA_FORMAT_VIDEO_size, SPA_POD_CHOICE_RANGE_Rectangle(&preferred, &smallest, &largest),
        SPA_FORMAT_VIDEO_framerate,
        SPA_POD_CHOICE_RANGE_Fraction(&preferredRate, &noRate, &maxRate)));
}

// The metadata a buffer should carry so that buffers without a picture can be
// told apart: its header flags, its damage and its cursor.
void RequestMetadata(pw_stream* stream) {
    uint8_t buffer[512];
    spa_pod_builder builder{};
    spa_pod_builder_init(&builder, buffer, sizeof(buffer));
    const auto cursorSize = [](int side) {
        return int(sizeof(spa_meta_cursor) + sizeof(spa_meta_bitmap)) + side * side * 4;
    };
    const int region = int(sizeof(spa_meta_region));
    const spa_pod* params[] = {
        static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &builder, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type,
            SPA_POD_Id(SPA_META_Header), SPA_PARAM_META_size,
            SPA_POD_Int(int(sizeof(spa_meta_header))))),
        static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &builder, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type,
            SPA_POD_Id(SPA_META_VideoDamage), SPA_PARAM_META_size,
            SPA_POD_CHOICE_RANGE_Int(region * 16, region, region * 16))),
        static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &builder, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type,
            SPA_POD_Id(SPA_META_Cursor), SPA_PARAM_META_size,
            SPA_POD_CHOICE_RANGE_Int(cursorSize(64), cursorSize(1), cursorSize(256)))),
    };
    pw_stream_update_params(stream, params, 3);
}
#pragma GCC diagnostic pop

bool RedFirst(uint32_t format) {
    return format == SPA_VIDEO_FORMAT_RGBx || format == SPA_VIDEO_FORMAT_RGBA;
}

}  // namespace

std::unique_ptr<PipeWireStream> PipeWireStream::Connect(int remoteFd, uint32_t nodeId,
                                                        const std::string& nodeName) {
    pw_init(nullptr, nullptr);
    std::unique_ptr<PipeWireStream> self(new PipeWireStream);
    self->m_loop = pw_thread_loop_new("quorvane-capture", nullptr);
    if (!self->m_loop) {
        return nullptr;
    }
    self->m_context = pw_context_new(pw_thread_loop_get_loop(self->m_loop), nullptr, 0);
    if (!self->m_context || pw_thread_loop_start(self->m_loop) != 0) {
        return nullptr;
    }
    pw_thread_loop_lock(self->m_loop);
    // The context owns the descriptor once connected.
    self->m_core = remoteFd >= 0 ? pw_context_connect_fd(self->m_context, dup(remoteFd), nullptr, 0)
                                 : pw_context_connect(self->m_context, nullptr, 0);
    if (self->m_core) {
        pw_properties* properties =
            pw_properties_new(PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY, "Capture",
                              PW_KEY_MEDIA_ROLE, "Screen", nullptr);
        if (!nodeName.empty()) {
            pw_properties_set(properties, PW_KEY_TARGET_OBJECT, nodeName.c_str());
        }
        self->m_stream = pw_stream_new(self->m_core, "quorvane", properties);
    }
    if (self->m_stream) {
        static const pw_stream_events kEvents = [] {
            pw_stream_events events{};
            events.version = PW_VERSION_STREAM_EVENTS;
            events.param_changed = &OnParamChanged;
            events.process = &OnProcess;
            events.state_changed = [](void* data, pw_stream_state, pw_stream_state state,
                                      const char*) {
                if (state == PW_STREAM_STATE_ERROR || state == PW_STREAM_STATE_UNCONNECTED) {
                    static_cast<PipeWireStream*>(data)->OnEnded();
                }
            };
            return events;
        }();
        self->m_listener = std::make_unique<spa_hook>();
        pw_stream_add_listener(self->m_stream, self->m_listener.get(), &kEvents, self.get());
        uint8_t buffer[1024];
        spa_pod_builder builder{};
        spa_pod_builder_init(&builder, buffer, sizeof(buffer));
        const spa_pod* params[] = {VideoFormats(&builder)};
        const auto flags = pw_stream_flags(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS);
        if (pw_stream_connect(self->m_stream, PW_DIRECTION_INPUT,
                              nodeName.empty() ? nodeId : PW_ID_ANY, flags, params, 1) != 0) {
            pw_stream_destroy(self->m_stream);
            self->m_stream = nullptr;
        }
    }
    pw_thread_loop_unlock(self->m_loop);
    return self->m_stream ? std::move(self) : nullptr;
}

PipeWireStream::~PipeWireStream() {
    if (m_loop) {
        pw_thread_loop_stop(m_loop);
    }
    if (m_stream) {
        pw_stream_destroy(m_stream);
    }
    if (m_core) {
        pw_core_disconnect(m_core);
    }
    if (m_context) {
        pw_context_destroy(m_context);
    }
    if (m_loop) {
        pw_thread_loop_destroy(m_loop);
    }
}

bool PipeWireStream::NextFrame(PixelImage& into, int timeoutMs) {
    std::unique_lock lock(m_mutex);
    return CopyFrameAfter(lock, m_framesRead, into, timeoutMs);
}

bool PipeWireStream::LatestFrame(PixelImage& into, int timeoutMs) {
    std::unique_lock lock(m_mutex);
    return CopyFrameAfter(lock, 0, into, timeoutMs);
}

bool PipeWireStream::CopyFrameAfter(std::unique_lock<std::mutex>& lock, uint64_t seen,
                                    PixelImage& into, int timeoutMs) {
    if (!m_arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                            [&] { return m_frames > seen || m_failed; }) ||
        m_frames <= seen) {
        return false;
    }
    m_framesRead = m_frames;
    into.Resize(m_frame.m_iWidth, m_frame.m_iHeight);
    std::memcpy(into.Data(), m_frame.Data(), m_frame.SizeBytes());
    return true;
}

bool PipeWireStream::Failed() {
    std::lock_guard lock(m_mutex);
    return m_failed;
}

void PipeWireStream::OnEnded() {
    std::lock_guard lock(m_mutex);
    m_failed = true;
    m_arrived.notify_all();
}

void PipeWireStream::OnParamChanged(void* data, uint32_t id, const spa_pod* param) {
    auto* self = static_cast<PipeWireStream*>(data);
    spa_video_info_raw info{};
    if (id != SPA_PARAM_Format || !param || spa_format_video_raw_parse(param, &info) < 0) {
        return;
    }
    const bool fits = info.size.width > 0 && info.size.height > 0 &&
                      int64_t(info.size.width) * info.size.height <= kMaxPixels;
    self->m_format = fits ? uint32_t(info.format) : 0;
    self->m_width = fits ? int32_t(info.size.width) : 0;
    self->m_height = fits ? int32_t(info.size.height) : 0;
    if (fits) {
        RequestMetadata(self->m_stream);
    }
}

void PipeWireStream::OnProcess(void* data) {
    auto* self = static_cast<PipeWireStream*>(data);
    // Only the newest buffer matters; older ones go straight back.
    pw_buffer* newest = nullptr;
    while (pw_buffer* b = pw_stream_dequeue_buffer(self->m_stream)) {
        if (newest) {
            pw_stream_queue_buffer(self->m_stream, newest);
        }
        newest = b;
    }
    if (!newest) {
        return;
    }
    // Buffers without a whole picture (empty, corrupted, a cursor move only)
    // are no frame: the last frame stays the newest.
    if (const std::optional<PictureRows> rows =
            PictureRowsOf(*newest->buffer, self->m_width, self->m_height)) {
        const int64_t rowBytes = int64_t(self->m_width) * 4;
        std::lock_guard lock(self->m_mutex);
        self->m_frame.Resize(self->m_width, self->m_height);
        for (int32_t y = 0; y < self->m_height; ++y) {
            const uint8_t* in = rows->first + y * rows->stride;
            uint8_t* out = self->m_frame.Row(y);
            if (!RedFirst(self->m_format)) {
                std::memcpy(out, in, std::size_t(rowBytes));
                continue;
            }
            for (int32_t x = 0; x < self->m_width; ++x, in += 4, out += 4) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
                out[3] = in[3];
            }
        }
        ++self->m_frames;
        self->m_arrived.notify_all();
    }
    pw_stream_queue_buffer(self->m_stream, newest);
}

}  // namespace qrv
