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
    bool Contains(Point p) const {
        return left <= p.x && p.x < right && top <= p.y && p.y < bottom;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace qrv
