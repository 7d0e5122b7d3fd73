#pragma once

#include <cstdint>

namespace qrv {

// Number of buckets that group the colours of a colour set; the list order
// runs through them in ascending order.
inline constexpr uint32_t kColorBucketCount = 17;

// Hash of a packed colour 0x00BBGGRR: the minimal-standard random step
// 16807 * c mod (2^31 - 1), computed by Schrage's method in signed 32 bits.
constexpr uint32_t HashColorKey(uint32_t color) {
    const int32_t c = static_cast<int32_t>(color);
    const int32_t q = c / 127773;
    const int32_t r = c % 127773;
    int32_t h = 16807 * r - 2836 * q;
    if (h < 0) {
        h += 2147483647;
    }
    return static_cast<uint32_t>(h);
}

// Bucket of a colour, HashColorKey(colour) mod 17, computed with a 64-bit
// product and a Mersenne reduction instead of two divisions. Equal to
// HashColorKey(colour) % 17 for every colour below 2^24.
constexpr uint32_t ColorBucket(uint32_t color) {
    const uint64_t product = 16807ULL * color;
    uint32_t h = static_cast<uint32_t>((product & 0x7FFFFFFFULL) + (product >> 31));
    h = h >= 0x7FFFFFFFU ? h - 0x7FFFFFFFU : h;
    return h % kColorBucketCount;
}

}  // namespace qrv
