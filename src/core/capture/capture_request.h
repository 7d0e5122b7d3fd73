#pragma once

#include <cstdint>
#include <string>

#include "core/base/geometry.h"
#include "core/desktop/image_codec.h"

namespace qrv {

// One capture of a screen rectangle into an image file.
struct CaptureRequest {
    // File-name extension without the dot; set from the format when saving.
    std::string extension;
    // Status of the last save; negative (as a signed value) on failure.
    uint32_t result = kStatusFail;
    // Index into the capture format table; 1 is BMP.
    uint32_t format = 1;
    // First part of the file name; nothing is captured while it is empty.
    std::string baseName;
    // Path of the file written.
    std::string fullPath;
    Rect rect;
    // Capture (0, 0, virtual screen width, virtual screen height) instead of rect.
    bool wholeScreen = true;

    bool Succeeded() const { return int32_t(result) >= 0; }
};

}  // namespace qrv
