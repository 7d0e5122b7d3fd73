#pragma once

#include <cstdint>
#include <string>

#include "core/base/capture_format.h"
#include "core/base/pixel_image.h"

namespace qrv {

// Encodes pixels into an image file.
class ImageFileWriter {
  public:
    virtual ~ImageFileWriter() = default;
    // Writes `pixels` (opaque, 4 bytes per pixel) at `path` in `format`,
    // replacing an existing file. Returns 0 on success, else a failure status;
    // a failed write leaves no file behind.
    virtual uint32_t WriteImageFile(const std::string& path, const PixelImage& pixels,
                                    CaptureFormat format) = 0;
};

}  // namespace qrv
