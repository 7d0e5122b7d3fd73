#pragma once

#include <cstdint>
#include <string>

#include "core/base/geometry.h"
#include "core/colors/color_set.h"
#include "core/desktop/image_codec.h"
#include "core/desktop/screen_source.h"

namespace qrv {

// The colours of one source and the summary line describing it.
struct CollectedColors {
    uint32_t status = kStatusOk;  // of loading an image file
    ColorSet set;
    std::string summary;
};

// Decodes the file and collects the colours of its pixels, scanned top row
// first. On a load failure only `status` is set (see ImageLoadFailedText).
CollectedColors CollectImageFileColors(ImageCodec& codec, const std::string& path);
// Captures the rectangle (screen coordinates) and collects its colours.
CollectedColors CollectScreenAreaColors(ScreenSource& screen, const Rect& area);

}  // namespace qrv
