#pragma once

#include <cstdint>
#include <vector>

#include "core/base/pixel_image.h"
#include "core/colors/color_set.h"

namespace qrv::color_test {

inline constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0x0000FF, kGreen = 0x00FF00,
                          kBlue = 0xFF0000, kGrey = 0x7F7F7F;

// An image `width` pixels wide holding the colours in scan order.
inline PixelImage ImageOf(const std::vector<uint32_t>& colors, int32_t width = 0) {
    width = width ? width : static_cast<int32_t>(colors.size());
    PixelImage image(width, static_cast<int32_t>(colors.size()) / width);
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const auto index = static_cast<int32_t>(i);
        image.SetPacked(index % width, index / width, colors[i]);
    }
    return image;
}

inline std::vector<uint32_t> OrderedOf(const ColorSet& set) {
    const auto ordered = set.Ordered();
    return {ordered.begin(), ordered.end()};
}

}  // namespace qrv::color_test
