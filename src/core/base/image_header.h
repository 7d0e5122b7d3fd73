#pragma once

#include <cstdint>

namespace qrv {

enum class ImageFileKind { Png, Jpeg, Bmp, Gif, Tiff };

// What an image file declares about itself in its header: its kind, its size
// and the depth it decodes to (bits per pixel and whether the decoded pixels
// carry alpha).
struct ImageHeader {
    ImageFileKind kind = ImageFileKind::Png;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    bool hasAlpha = false;
};

}  // namespace qrv
