#include "core/search/search_area_check.h"

#include <cstdio>
#include <limits>

namespace qrv {

namespace {

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

constexpr const char* kAgain = " Please Capture Screen Search Area and then try again.";

}  // namespace

std::optional<std::string> SearchAreaProblem(int32_t left, int32_t top, int32_t width,
                                             int32_t height, const Rect& virtualScreen) {
    constexpr int64_t kLimit = std::numeric_limits<int32_t>::max();
    const int64_t screenWidth = int64_t(virtualScreen.right) - virtualScreen.left;
    const int64_t screenHeight = int64_t(virtualScreen.bottom) - virtualScreen.top;
    if (width > screenWidth || height > screenHeight ||
        int64_t(width) * int64_t(height) > kMaxAreaPixels) {
        return Format(
            "The Screen Search Area of %d x %d pixels is larger than the screen "
            "(%lld x %lld).%s",
            width, height, static_cast<long long>(screenWidth),
            static_cast<long long>(screenHeight), kAgain);
    }
    if (int64_t(left) + width > kLimit || int64_t(top) + height > kLimit) {
        return Format("The Screen Search Area at %d,%d reaches beyond the screen coordinates.%s",
                      left, top, kAgain);
    }
    return std::nullopt;
}

std::string PictureTooLargeText(int64_t pictureWidth, int64_t pictureHeight, int64_t areaWidth,
                                int64_t areaHeight) {
    return Format(
        "The Picture to Find (%lld x %lld) is larger than the Screen Search Area (%lld x %lld), "
        "so it can never be found there.\n\nCapture a larger Screen Search Area or a smaller "
        "Picture and then try again.",
        static_cast<long long>(pictureWidth), static_cast<long long>(pictureHeight),
        static_cast<long long>(areaWidth), static_cast<long long>(areaHeight));
}

}  // namespace qrv
