#include "platform/files/regular_file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/desktop/image_codec.h"

namespace qrv {
namespace {

// An open file descriptor, closed when it goes.
class Descriptor {
  public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }

  private:
    int m_fd;
};

}  // namespace

// Opened without blocking, then checked on the open descriptor, so nothing
// can be swapped in between.
uint32_t ReadRegularFile(const std::string& path, int64_t maxBytes, FileBytes& bytes) {
    const Descriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat info = {};
    if (file.Get() < 0 || fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return kStatusFail;
    }
    if (info.st_size > maxBytes) {
        return kStatusOutOfMemory;
    }
    // Sized from the file, no zeroing; a file that shrinks meanwhile ends the
    // read early, one that grows is cut at its size when opened.
    const std::size_t size = std::size_t(info.st_size);
    bytes.data = std::make_unique_for_overwrite<uint8_t[]>(size);
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got = read(file.Get(), bytes.data.get() + filled, size - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        filled += std::size_t(got);
    }
    bytes.size = filled;
    return kStatusOk;
}

}  // namespace qrv
