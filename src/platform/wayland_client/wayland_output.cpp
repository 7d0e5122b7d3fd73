#include "platform/wayland_client/wayland_output.h"

#include <wayland-client.h>

#include <algorithm>

#include "wayland/xdg-output-unstable-v1-client.h"

namespace qrv {
namespace {

// Compositor-sent numbers are kept well inside 32 bits so that sums stay exact.
constexpr int32_t kMaxCoordinate = 1 << 24;

int32_t Bounded(int32_t v) {
    return std::clamp(v, -kMaxCoordinate, kMaxCoordinate);
}

int32_t BoundedSize(int32_t v) {
    return std::clamp(v, 0, kMaxCoordinate);
}

void Ignore() {}

}  // namespace

WaylandOutput::WaylandOutput(wl_output* output, uint32_t globalName,
                             zxdg_output_manager_v1* xdgOutputs)
    : m_output(output), m_globalName(globalName), m_name("output-" + std::to_string(globalName)) {
    static const wl_output_listener kListener{
        .geometry = &OnGeometry,
        .mode = &OnMode,
        .done = [](void*, wl_output*) { Ignore(); },
        .scale = &OnScale,
        .name = [](void*, wl_output*, const char*) { Ignore(); },
        .description = [](void*, wl_output*, const char*) { Ignore(); },
    };
    wl_output_add_listener(m_output, &kListener, this);
    if (xdgOutputs) {
        static const zxdg_output_v1_listener kXdgListener{
            .logical_position = &OnLogicalPosition,
            .logical_size = &OnLogicalSize,
            .done = [](void*, zxdg_output_v1*) { Ignore(); },
            .name = &OnName,
            .description = [](void*, zxdg_output_v1*, const char*) { Ignore(); },
        };
        m_xdgOutput = zxdg_output_manager_v1_get_xdg_output(xdgOutputs, m_output);
        zxdg_output_v1_add_listener(m_xdgOutput, &kXdgListener, this);
    }
}

WaylandOutput::~WaylandOutput() {
    if (m_xdgOutput) {
        zxdg_output_v1_destroy(m_xdgOutput);
    }
    if (wl_output_get_version(m_output) >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
        wl_output_release(m_output);
    } else {
        wl_output_destroy(m_output);
    }
}

OutputGeometry WaylandOutput::Geometry() const {
    int32_t pixelWidth = m_quarterTurn ? m_modeHeight : m_modeWidth;
    int32_t pixelHeight = m_quarterTurn ? m_modeWidth : m_modeHeight;
    int32_t width = m_logicalWidth;
    int32_t height = m_logicalHeight;
    if (!m_xdgOutput) {
        width = pixelWidth / m_scale;
        height = pixelHeight / m_scale;
    }
    return OutputGeometry{m_name, Rect{m_x, m_y, m_x + width, m_y + height}, pixelWidth,
                          pixelHeight};
}

void WaylandOutput::OnGeometry(void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t,
                               int32_t, const char*, const char*, int32_t transform) {
    auto* self = static_cast<WaylandOutput*>(data);
    if (!self->m_xdgOutput) {
        self->m_x = Bounded(x);
        self->m_y = Bounded(y);
    }
    // Odd transforms turn the output by 90 or 270 degrees.
    self->m_quarterTurn = (transform & 1) != 0;
}

void WaylandOutput::OnMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height,
                           int32_t) {
    auto* self = static_cast<WaylandOutput*>(data);
    if (flags & WL_OUTPUT_MODE_CURRENT) {
        self->m_modeWidth = BoundedSize(width);
        self->m_modeHeight = BoundedSize(height);
    }
}

void WaylandOutput::OnScale(void* data, wl_output*, int32_t factor) {
    static_cast<WaylandOutput*>(data)->m_scale = std::clamp(factor, 1, 16);
}

void WaylandOutput::OnLogicalPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
    auto* self = static_cast<WaylandOutput*>(data);
    self->m_x = Bounded(x);
    self->m_y = Bounded(y);
}

void WaylandOutput::OnLogicalSize(void* data, zxdg_output_v1*, int32_t width, int32_t height) {
    auto* self = static_cast<WaylandOutput*>(data);
    self->m_logicalWidth = BoundedSize(width);
    self->m_logicalHeight = BoundedSize(height);
}

void WaylandOutput::OnName(void* data, zxdg_output_v1*, const char* name) {
    static_cast<WaylandOutput*>(data)->m_name = name;
}

}  // namespace qrv
