// The PNG decoder of a build without libpng: every PNG goes to Qt's reader.
#include "platform/png/png_decoder.h"

namespace qrv {

bool PngDecoder::Available() {
    return false;
}

bool PngDecoder::Decode(std::span<const uint8_t> /*file*/, int32_t /*width*/, int32_t /*height*/,
                        PixelImage& into) {
    into = PixelImage();
    return false;
}

}  // namespace qrv
