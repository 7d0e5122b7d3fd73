#pragma once

#include <cstdint>
#include <string>

#include "platform/wayland_client/output_layout.h"

struct wl_output;
struct zxdg_output_v1;
struct zxdg_output_manager_v1;

namespace qrv {

// One wl_output and its xdg-output description, kept up to date by their events.
class WaylandOutput {
  public:
    WaylandOutput(wl_output* output, uint32_t globalName, zxdg_output_manager_v1* xdgOutputs);
    ~WaylandOutput();
    WaylandOutput(const WaylandOutput&) = delete;
    WaylandOutput& operator=(const WaylandOutput&) = delete;

    wl_output* Get() const { return m_output; }
    uint32_t GlobalName() const { return m_globalName; }
    // The geometry once the compositor has described the output; without
    // xdg-output the logical size is the mode divided by the scale.
    OutputGeometry Geometry() const;

  private:
    static void OnGeometry(void* data, wl_output* output, int32_t x, int32_t y, int32_t mmWidth,
                           int32_t mmHeight, int32_t subpixel, const char* make, const char* model,
                           int32_t transform);
    static void OnMode(void* data, wl_output* output, uint32_t flags, int32_t width, int32_t height,
                       int32_t refresh);
    static void OnScale(void* data, wl_output* output, int32_t factor);
    static void OnLogicalPosition(void* data, zxdg_output_v1* output, int32_t x, int32_t y);
    static void OnLogicalSize(void* data, zxdg_output_v1* output, int32_t width, int32_t height);
    static void OnName(void* data, zxdg_output_v1* output, const char* name);

    wl_output* m_output;
    zxdg_output_v1* m_xdgOutput = nullptr;
    uint32_t m_globalName;
    std::string m_name;
    int32_t m_x = 0;
    int32_t m_y = 0;
    int32_t m_logicalWidth = 0;
    int32_t m_logicalHeight = 0;
    int32_t m_modeWidth = 0;
    int32_t m_modeHeight = 0;
    int32_t m_scale = 1;
    bool m_quarterTurn = false;
};

}  // namespace qrv
