#pragma once

#include <atomic>
#include <cstdint>

#include "core/base/geometry.h"
#include "core/base/pixel_image.h"

namespace qrv {

// Called for every candidate when the cursor sweep is on.
class CursorSweep {
  public:
    virtual ~CursorSweep() = default;
    virtual void MoveTo(Point screen) = 0;
};

// Told when a candidate's full comparison starts, so that a test can act at a
// known point inside a scan.
class ScanProbe {
  public:
    virtual ~ScanProbe() = default;
    virtual void ComparisonStarts(int32_t x, int32_t y) = 0;
};

// Everything one scan needs. Sizes equal the images' own sizes; both images
// hold 4 bytes per pixel.
struct MatchInputs {
    const PixelImage* area = nullptr;
    const PixelImage* picture = nullptr;
    int32_t areaWidth = 0;
    int32_t areaHeight = 0;
    int32_t pictureWidth = 0;
    int32_t pictureHeight = 0;
    int32_t deviationRed = 0;
    int32_t deviationGreen = 0;
    int32_t deviationBlue = 0;
    int32_t areaLeft = 0;  // screen position of the area's top-left pixel
    int32_t areaTop = 0;
    bool sweep = false;
    bool maskTransparent = false;                // picture pixels of alpha 0 match any colour
    const std::atomic<int32_t>* stop = nullptr;  // may be null: never stops
    CursorSweep* cursor = nullptr;               // required when sweep is set
    ScanProbe* probe = nullptr;                  // may be null

    // Inputs for the two images with their own sizes, so a scan can never
    // read past a short capture; no deviation, origin (0, 0), no sweep.
    static MatchInputs Of(const PixelImage& area, const PixelImage& picture);
};

// Instruction sets the scan can use; Auto picks the best this CPU runs.
enum class MatcherPath { Auto, Scalar, Sse2, Avx2 };

// The per-pixel test on two blue-green-red-ignored pixels.
bool PixelMatches(const uint8_t* area, const uint8_t* picture, int32_t red, int32_t green,
                  int32_t blue);

// Whether the picture pixel takes part in the comparison: always, unless it is
// transparent (alpha 0) and the inputs mask such pixels.
inline bool PixelCompared(const MatchInputs& in, const uint8_t* picture) {
    return !in.maskTransparent || picture[3] != 0;
}

// True when the whole picture matches with its top-left at area pixel (ox, oy).
bool FindPictureAt(const MatchInputs& in, int32_t ox, int32_t oy);

// First match in column-major candidate order; out receives its screen position,
// or the last candidate tried, or (-1, -1) without candidates.
bool FindPictureInArea(const MatchInputs& in, Point& out, MatcherPath path = MatcherPath::Auto);

// The plain candidate loops, kept as the definition the fast path is tested against.
bool FindPictureInAreaReference(const MatchInputs& in, Point& out);

// Whether this build and CPU can run the given path.
bool MatcherPathAvailable(MatcherPath path);

}  // namespace qrv
