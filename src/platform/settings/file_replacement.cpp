#include "platform/settings/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

namespace qrv {

namespace {

int WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t done = ::write(fd, text.data(), text.size());
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return done < 0 ? errno : EIO;
        text.remove_prefix(std::size_t(done));
    }
    return 0;
}

// The folder of `path` and a hidden name in it for the new file.
std::string TempPattern(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, nameStart) + "." + path.substr(nameStart) + ".XXXXXX";
}

int Fill(int fd, const std::string& path, std::string_view text) {
    struct stat existing = {};
    if (::stat(path.c_str(), &existing) == 0 && ::fchmod(fd, existing.st_mode & 07777) != 0)
        return errno;
    if (const int error = WriteAll(fd, text))
        return error;
    return ::fsync(fd) == 0 ? 0 : errno;
}

}  // namespace

int ReplaceFile(const std::string& path, std::string_view text, FileDescriptor& written) {
    std::string temp = TempPattern(path);
    FileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (!fd.IsOpen())
        return errno;
    int error = Fill(fd.Get(), path, text);
    if (!error && ::rename(temp.c_str(), path.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.c_str());
        return error;
    }
    written = std::move(fd);
    return 0;
}

}  // namespace qrv
