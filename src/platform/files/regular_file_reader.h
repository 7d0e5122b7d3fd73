#pragma once

#include <QByteArray>
#include <cstdint>
#include <string>

namespace qrv {

// Reads the whole of a regular file of at most `maxBytes` bytes into `bytes`
// (UTF-8 path). A pipe, a device or a directory is refused without reading
// and without blocking. Returns an image codec status: ok, fail, or out of
// memory for a file above the limit. Each system has its own implementation.
uint32_t ReadRegularFile(const std::string& path, int64_t maxBytes, QByteArray& bytes);

}  // namespace qrv
