#pragma once

#include <cstdint>
#include <span>

#include "core/base/pixel_image.h"

namespace qrv {

// Decodes a whole PNG file held in memory with libpng, straight into the
// matcher's layout: 32-bit blue-green-red-alpha rows written once into the
// image's own buffer, neither cleared first nor converted afterwards. Every
// kind of PNG is widened or narrowed to 8 bits a channel; pixels without alpha
// get alpha 255.
//
// The caller has checked the file's header (size caps included); libpng's own
// limits stop it from following a different size or hoarding ancillary
// chunks. Truncated, corrupt or contradictory files fail.
class PngDecoder {
  public:
    // False where the program was built without libpng: PNG files then go
    // through Qt's reader like the other formats.
    static bool Available();
    // Decodes `file`, which declares width x height pixels, into `into`. False
    // on any decoding failure, leaving `into` empty. Throws std::bad_alloc when
    // the pixels cannot be allocated.
    static bool Decode(std::span<const uint8_t> file, int32_t width, int32_t height,
                       PixelImage& into);
};

}  // namespace qrv
