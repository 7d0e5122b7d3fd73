#include "platform/wayland/wayland_shm_buffer.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include "platform/wayland_client/wayland_display.h"

namespace qrv {
namespace {

// Largest buffer a compositor may ask for: 512 MiB, as for image files.
constexpr std::size_t kMaxBytes = std::size_t(512) << 20;

struct FileDescriptor {
    int fd;
    ~FileDescriptor() {
        if (fd >= 0) {
            close(fd);
        }
    }
};

}  // namespace

std::shared_ptr<WaylandShmBuffer> WaylandShmBuffer::Create(std::shared_ptr<WaylandDisplay> display,
                                                           uint32_t format, int32_t width,
                                                           int32_t height, int32_t stride) {
    if (width <= 0 || height <= 0 || int64_t(stride) < int64_t(width) * 4) {
        return nullptr;
    }
    const std::size_t size = std::size_t(stride) * std::size_t(height);
    if (size > kMaxBytes || !display->Shm()) {
        return nullptr;
    }
    FileDescriptor file{memfd_create("quorvane-capture", MFD_CLOEXEC)};
    if (file.fd < 0 || ftruncate(file.fd, off_t(size)) != 0) {
        return nullptr;
    }
    void* pixels = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, file.fd, 0);
    if (pixels == MAP_FAILED) {
        return nullptr;
    }
    std::shared_ptr<WaylandShmBuffer> buffer(new WaylandShmBuffer);
    buffer->m_pPixels = static_cast<uint8_t*>(pixels);
    buffer->m_size = size;
    wl_shm_pool* pool = wl_shm_create_pool(display->Shm(), file.fd, int32_t(size));
    buffer->m_buffer = wl_shm_pool_create_buffer(pool, 0, width, height, stride, format);
    wl_shm_pool_destroy(pool);
    buffer->m_display = std::move(display);
    buffer->m_format = format;
    buffer->m_width = width;
    buffer->m_height = height;
    buffer->m_stride = stride;
    return buffer;
}

WaylandShmBuffer::~WaylandShmBuffer() {
    if (m_buffer) {
        wl_buffer_destroy(m_buffer);
        wl_display_flush(m_display->Get());
    }
    if (m_pPixels) {
        munmap(m_pPixels, m_size);
    }
}

}  // namespace qrv
