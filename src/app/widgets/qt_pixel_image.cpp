#include "app/widgets/qt_pixel_image.h"

#include <cstring>

namespace qrv {

QImage ToQImage(const PixelImage& pixels) {
    if (pixels.Empty()) {
        return {};
    }
    QImage image(pixels.m_iWidth, pixels.m_iHeight, QImage::Format_RGB32);
    const std::size_t rowBytes = std::size_t(pixels.m_iWidth) * 4;
    for (int32_t y = 0; y < pixels.m_iHeight; ++y) {
        uchar* row = image.scanLine(y);
        std::memcpy(row, pixels.Row(y), rowBytes);
        // The fourth byte is unused in the source; this format wants it opaque.
        for (std::size_t x = 3; x < rowBytes; x += 4) {
            row[x] = 0xFF;
        }
    }
    return image;
}

}  // namespace qrv
