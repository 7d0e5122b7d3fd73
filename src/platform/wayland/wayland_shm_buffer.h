#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

struct wl_buffer;

namespace qrv {

class WaylandDisplay;

// A shared-memory wl_buffer that the compositor writes into and this process
// reads: an anonymous file mapped here, with one buffer of fixed size, stride
// and format over it. Keeps its connection alive.
class WaylandShmBuffer {
  public:
    // Null when the memory or the buffer cannot be had.
    static std::shared_ptr<WaylandShmBuffer> Create(std::shared_ptr<WaylandDisplay> display,
                                                    uint32_t format, int32_t width, int32_t height,
                                                    int32_t stride);
    ~WaylandShmBuffer();
    WaylandShmBuffer(const WaylandShmBuffer&) = delete;
    WaylandShmBuffer& operator=(const WaylandShmBuffer&) = delete;

    wl_buffer* Get() const { return m_buffer; }
    uint8_t* Pixels() const { return m_pPixels; }
    std::size_t Size() const { return m_size; }
    bool Fits(uint32_t format, int32_t width, int32_t height, int32_t stride) const {
        return format == m_format && width == m_width && height == m_height && stride == m_stride;
    }

  private:
    WaylandShmBuffer() = default;

    std::shared_ptr<WaylandDisplay> m_display;
    wl_buffer* m_buffer = nullptr;
    uint8_t* m_pPixels = nullptr;
    std::size_t m_size = 0;
    uint32_t m_format = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_stride = 0;
};

}  // namespace qrv
