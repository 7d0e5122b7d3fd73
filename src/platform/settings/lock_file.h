#pragma once

#include <chrono>
#include <string>

#include "platform/settings/file_descriptor.h"

namespace qrv {

// An exclusive lock on a file made for the purpose (flock), held until the
// object goes or the process ends, however it ends. The file stays behind;
// its descriptor is not inherited by programs this process starts.
class LockFile {
  public:
    explicit LockFile(std::string path) : m_path(std::move(path)) {}

    // Takes the lock, waiting up to `wait` while another holder has it.
    // Returns 0, or the errno of the failure: EWOULDBLOCK when the lock is
    // still held elsewhere, else why the file could not be made or opened.
    int Take(std::chrono::milliseconds wait = {});

  private:
    std::string m_path;
    FileDescriptor m_fd;
};

}  // namespace qrv
