#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace qrv {

// The bytes of a whole file.
struct FileBytes {
    std::unique_ptr<uint8_t[]> data;
    std::size_t size = 0;

    std::span<uint8_t> Bytes() { return {data.get(), size}; }
};

// Reads the whole of a regular file of at most `maxBytes` bytes into `bytes`
// (UTF-8 path). A pipe, a device or a directory is refused without reading
// and without blocking. Returns an image codec status: ok, fail, or out of
// memory for a file above the limit. Each system has its own implementation.
// Throws std::bad_alloc when the bytes cannot be held.
uint32_t ReadRegularFile(const std::string& path, int64_t maxBytes, FileBytes& bytes);

}  // namespace qrv
