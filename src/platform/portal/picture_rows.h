#pragma once

#include <cstdint>
#include <optional>

struct spa_buffer;

namespace qrv {

// Where a PipeWire video buffer holds the rows of a picture.
struct PictureRows {
    const uint8_t* first = nullptr;
    int64_t stride = 0;
};

// The rows of the picture in `buffer` for frames of `width` x `height`
// pixels of 4 bytes; nullopt when the buffer holds no whole picture: empty
// (chunk size 0), marked corrupted (chunk or header flag), a cursor update
// only (a cursor but no damage), unmapped, or too short for the frame.
std::optional<PictureRows> PictureRowsOf(const spa_buffer& buffer, int32_t width, int32_t height);

}  // namespace qrv
