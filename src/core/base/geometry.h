#pragma once

#include <cstdint>

namespace qrv {

// A screen position in physical pixels; the primary monitor's top-left is (0, 0).
struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Right and bottom are exclusive.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    // Whether it holds pixels and Width() and Height() do not overflow, as
    // they can for a rectangle made of hostile numbers.
    bool Valid() const {
        return right > left && bottom > top && int64_t(right) - left <= INT32_MAX &&
               int64_t(bottom) - top <= INT32_MAX;
    }
    bool Contains(Point p) const {
        return left <= p.x && p.x < right && top <= p.y && p.y < bottom;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace qrv
