#include "platform/settings/lock_file.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <thread>

namespace qrv {

namespace {

constexpr std::chrono::milliseconds kRetryEvery{10};

// A lock file another user made read-only can still be locked.
int OpenOrMake(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd >= 0 || errno != EACCES)
        return fd;
    const int error = errno;
    const int readOnly = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    errno = readOnly >= 0 ? 0 : error;
    return readOnly;
}

}  // namespace

int LockFile::Take(std::chrono::milliseconds wait) {
    if (!m_fd.IsOpen()) {
        m_fd = FileDescriptor(OpenOrMake(m_path));
        if (!m_fd.IsOpen())
            return errno;
    }
    const auto giveUp = std::chrono::steady_clock::now() + wait;
    while (::flock(m_fd.Get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= giveUp)
            return errno;
        std::this_thread::sleep_for(kRetryEvery);
    }
    return 0;
}

}  // namespace qrv
