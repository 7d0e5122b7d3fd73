#pragma once

#include "core/desktop/image_file_writer.h"

namespace qrv {

// The window's image writer: JPEG and TIFF files through Qt's writers (TIFF
// keeps 4 bytes per pixel with an opaque alpha channel, so it loads back as
// 32 bits with alpha; JPEG stores colour only), PNG and BMP through the
// platform's own writer. GIF has no writer and fails.
class QtImageFileWriter : public ImageFileWriter {
  public:
    explicit QtImageFileWriter(ImageFileWriter& pngAndBmp);

    uint32_t WriteImageFile(const std::string& path, const PixelImage& pixels,
                            CaptureFormat format) override;

  private:
    ImageFileWriter& m_pngAndBmp;
};

}  // namespace qrv
