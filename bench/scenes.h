#pragma once

#include <cstdint>

#include "core/base/geometry.h"
#include "core/base/pixel_image.h"

namespace qrv {

// A synthetic desktop: wallpaper, overlapping windows with title bars, borders,
// text-like glyph rows, buttons and icons, and a taskbar with a tray of unique
// icons and a notification panel at the bottom right. With tight set the windows are smaller, more
// numerous and densely filled, leaving less flat area.
PixelImage MakeDeskScene(int32_t width, int32_t height, bool tight, uint32_t seed);

namespace bench {

// Every pixel a random colour; byte 3 random too.
PixelImage MakeNoiseScene(int32_t width, int32_t height, uint32_t seed);

// One colour everywhere.
PixelImage MakeUniformScene(int32_t width, int32_t height, uint32_t packed);

// A checkerboard of two colours; with stripes set, 1-pixel vertical stripes instead.
PixelImage MakePatternScene(int32_t width, int32_t height, uint32_t a, uint32_t b, bool stripes);

// A page of two-colour text: lines of words of 5x7 glyphs in ink on paper.
PixelImage MakeTextPage(int32_t width, int32_t height, uint32_t ink, uint32_t paper, uint32_t seed);

// Moves each colour channel by a random amount in [-amount, amount].
void AddChannelNoise(PixelImage& image, int32_t amount, uint32_t seed);

// Copies the width x height block at (x, y).
PixelImage CutPicture(const PixelImage& image, int32_t x, int32_t y, int32_t width, int32_t height);

// True when both images have the same size and the same colour at every pixel.
bool SameColors(const PixelImage& a, const PixelImage& b);

// Where the benchmarks cut their 48x48 picture, near the bottom-right corner: in
// a desk scene, the notification icon with a white margin of 8 pixels.
Point PictureSpot(int32_t areaWidth, int32_t areaHeight);

}  // namespace bench
}  // namespace qrv
