#pragma once

#include <cstdint>
#include <vector>

#include "core/colours/color_set.h"
#include "core/search/pixel_image.h"

namespace qrv::colour_test {

inline constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0x0000FF, kGreen = 0x00FF00,
                          kBlue = 0xFF0000, kGrey = 0x7F7F7F;

// An image `width` pixels wide holding the colours in scan order.
inline PixelImage ImageOf(const std::vector<uint32_t>& colours, int32_t width = 0) {
    width = width ? width : static_cast<int32_t>(colours.size());
    PixelImage image(width, static_cast<int32_t>(colours.size()) / width);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const auto index = static_cast<int32_t>(i);
        image.SetPacked(index % width, index / width, colours[i]);
    }
    return image;
}

inline std::vector<uint32_t> OrderedOf(const ColorSet& set) {
    const auto ordered = set.Ordered();
    return {ordered.begin(), ordered.end()};
}

}  // namespace qrv::colour_test
