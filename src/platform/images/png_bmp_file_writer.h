#pragma once

#include "core/desktop/image_file_writer.h"

namespace qrv {

// Writes captured pixels as PNG files (8-bit RGBA, opaque, so they load back
// as 32 bits with alpha) and 32-bit BMP files, without any toolkit. Other
// formats fail with kStatusNotSupported: the window adds its own writer for
// them.
class PngBmpFileWriter : public ImageFileWriter {
  public:
    uint32_t WriteImageFile(const std::string& path, const PixelImage& pixels,
                            CaptureFormat format) override;
};

}  // namespace qrv
