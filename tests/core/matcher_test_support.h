#pragma once

#include <cstdint>
#include <vector>

#include "core/base/pixel_image.h"
#include "core/search/picture_matcher.h"

namespace qrv::test {

inline PixelImage Filled(int32_t w, int32_t h, uint32_t packed) {
    PixelImage image(w, h);
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            image.SetPacked(x, y, packed);
        }
    }
    return image;
}

inline void Paste(PixelImage& onto, const PixelImage& picture, int32_t ox, int32_t oy) {
    for (int32_t y = 0; y < picture.m_iHeight; ++y) {
        for (int32_t x = 0; x < picture.m_iWidth; ++x) {
            onto.SetPacked(ox + x, oy + y, picture.PackedAt(x, y));
        }
    }
}

// The matcher paths this machine can run.
inline std::vector<MatcherPath> AvailablePaths() {
    std::vector<MatcherPath> paths;
    for (MatcherPath p :
         {MatcherPath::Auto, MatcherPath::Scalar, MatcherPath::Sse2, MatcherPath::Avx2}) {
        if (MatcherPathAvailable(p)) {
            paths.push_back(p);
        }
    }
    return paths;
}

inline MatchInputs Inputs(const PixelImage& area, const PixelImage& picture, int32_t deviation = 0,
                          int32_t left = 0, int32_t top = 0) {
    MatchInputs in = MatchInputs::Of(area, picture);
    in.deviationRed = in.deviationGreen = in.deviationBlue = deviation;
    in.areaLeft = left;
    in.areaTop = top;
    return in;
}

}  // namespace qrv::test
