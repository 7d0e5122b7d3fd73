#include "core/search/picture_matcher.h"
#include "core/search/picture_matcher_kernels.h"

namespace qrv {

namespace {

bool WithinDeviation(uint8_t area, uint8_t picture, int32_t deviation) {
    const int32_t d = int32_t(area) - int32_t(picture);
    return (d < 0 ? -d : d) <= deviation;
}

bool StopRequested(const MatchInputs& in) {
    return in.stop && in.stop->load(std::memory_order_relaxed) != 0;
}

}  // namespace

bool PixelMatches(const uint8_t* area, const uint8_t* picture, int32_t red, int32_t green,
                  int32_t blue) {
    // The sum wraps like the stored 32-bit settings it comes from.
    if (int32_t(uint32_t(red) + uint32_t(green) + uint32_t(blue)) == 0) {
        return PackedColor(area) == PackedColor(picture);
    }
    return WithinDeviation(area[2], picture[2], red) &&
           WithinDeviation(area[1], picture[1], green) &&
           WithinDeviation(area[0], picture[0], blue);
}

bool FindPictureAt(const MatchInputs& in, int32_t ox, int32_t oy) {
    const int64_t areaStride = in.area ? in.area->Stride() : 0;
    const int64_t pictureStride = in.picture ? in.picture->Stride() : 0;
    if (in.probe) {
        in.probe->ComparisonStarts(ox, oy);
    }
    for (int32_t x = 0; x < in.pictureWidth; ++x) {
        for (int32_t y = 0; y < in.pictureHeight; ++y) {
            if (StopRequested(in)) {
                return false;
            }
            const uint8_t* a = in.area->Data() + ((int64_t(oy) + y) * areaStride + ox + x) * 4;
            const uint8_t* p = in.picture->Data() + (int64_t(y) * pictureStride + x) * 4;
            if (PixelCompared(in, p) &&
                !PixelMatches(a, p, in.deviationRed, in.deviationGreen, in.deviationBlue)) {
                return false;
            }
        }
    }
    return true;
}

bool FindPictureInAreaReference(const MatchInputs& in, Point& out) {
    out = {-1, -1};
    const int64_t lastX = int64_t(in.areaWidth) - in.pictureWidth;
    const int64_t lastY = int64_t(in.areaHeight) - in.pictureHeight;
    for (int64_t x = 0; x <= lastX; ++x) {
        for (int64_t y = 0; y <= lastY; ++y) {
            if (StopRequested(in)) {
                return false;
            }
            out = matcher::CandidatePoint(in, x, y);
            if (in.sweep && in.cursor) {
                in.cursor->MoveTo(out);
            }
            if (FindPictureAt(in, int32_t(x), int32_t(y))) {
                return true;
            }
        }
    }
    return false;
}

namespace matcher {

Point CandidatePoint(const MatchInputs& in, int64_t x, int64_t y) {
    return {int32_t(uint32_t(in.areaLeft) + uint32_t(x)),
            int32_t(uint32_t(in.areaTop) + uint32_t(y))};
}

}  // namespace matcher

}  // namespace qrv
