#pragma once

#include "core/desktop/image_file_writer.h"

namespace qrv {

// Writes captured pixels as image files. PNG and TIFF keep 4 bytes per pixel
// with an opaque alpha channel (so they load back as 32 bits with alpha), BMP
// as 32-bit pixels; JPEG stores colour only. GIF has no writer and fails.
class QtImageFileWriter : public ImageFileWriter {
  public:
    uint32_t WriteImageFile(const std::string& path, const PixelImage& pixels,
                            CaptureFormat format) override;
};

}  // namespace qrv
