#include "core/colors/color_set.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "core/colors/hash_color_key.h"

namespace qrv {

namespace {

constexpr std::size_t kColorCount = std::size_t(1) << 24;
constexpr std::size_t kWordCount = kColorCount / 64;

template <typename T>
T* Allocate(std::size_t count) {
    void* p = std::malloc(std::max<std::size_t>(count, 1) * sizeof(T));
    if (!p) {
        throw std::bad_alloc();
    }
    return static_cast<T*>(p);
}

}  // namespace

void ColorSet::FreeDeleter::operator()(void* p) const {
    std::free(p);
}

ColorSet::ColorSet(ColorSet&& other) noexcept
    : m_presence(std::move(other.m_presence)),
      m_inserted(std::move(other.m_inserted)),
      m_count(std::exchange(other.m_count, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)),
      m_ordered(std::move(other.m_ordered)),
      m_orderedCount(std::exchange(other.m_orderedCount, 0)),
      m_orderedValid(std::exchange(other.m_orderedValid, true)) {}

ColorSet& ColorSet::operator=(ColorSet&& other) noexcept {
    if (this != &other) {
        m_presence = std::move(other.m_presence);
        m_inserted = std::move(other.m_inserted);
        m_count = std::exchange(other.m_count, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_ordered = std::move(other.m_ordered);
        m_orderedCount = std::exchange(other.m_orderedCount, 0);
        m_orderedValid = std::exchange(other.m_orderedValid, true);
    }
    return *this;
}

bool ColorSet::Insert(uint32_t color) {
    color &= 0xFFFFFF;
    EnsureBitmap();
    uint64_t& word = m_presence[color >> 6];
    const uint64_t bit = uint64_t(1) << (color & 63);
    if (word & bit) {
        return false;
    }
    ReserveFor(1);
    word |= bit;
    m_inserted[m_count++] = color;
    m_orderedValid = false;
    return true;
}

bool ColorSet::Contains(uint32_t color) const {
    color &= 0xFFFFFF;
    return m_presence && (m_presence[color >> 6] >> (color & 63) & 1) != 0;
}

void ColorSet::InsertImage(const PixelImage& image) {
    if (image.Empty()) {
        return;
    }
    if (image.Stride() == image.m_iWidth) {
        InsertPixels(image.Data(), std::size_t(image.m_iWidth) * std::size_t(image.m_iHeight));
        return;
    }
    for (int32_t y = 0; y < image.m_iHeight; ++y) {  // part of a wider image
        InsertPixels(image.Row(y), std::size_t(image.m_iWidth));
    }
}

void ColorSet::InsertPixels(const uint8_t* bgrx, std::size_t count) {
    if (count == 0) {
        return;
    }
    EnsureBitmap();
    ReserveFor(count);
    uint64_t* const bits = m_presence.get();
    uint32_t* const begin = m_inserted.get();
    uint32_t* out = begin + m_count;
    // Branch-free: every colour is written to the next free slot, which only
    // advances when the colour was new. Random images defeat branch prediction.
    for (const uint8_t* const end = bgrx + count * 4; bgrx != end; bgrx += 4) {
        const uint32_t color = PackedColor(bgrx);
        uint64_t& word = bits[color >> 6];
        const uint64_t bit = uint64_t(1) << (color & 63);
        const uint64_t old = word;
        *out = color;
        out += (old & bit) == 0;
        word = old | bit;
    }
    m_count = std::size_t(out - begin);
    m_orderedValid = false;
}

std::span<const uint32_t> ColorSet::Ordered() const {
    if (!m_orderedValid) {
        SortIntoOrder();
    }
    return {m_ordered.get(), m_orderedCount};
}

void ColorSet::EnsureBitmap() {
    if (m_presence) {
        return;
    }
    // calloc leaves untouched pages of a fresh mapping unwritten, so images
    // with few colours touch only a few pages of the bitmap.
    void* p = std::calloc(kWordCount, sizeof(uint64_t));
    if (!p) {
        throw std::bad_alloc();
    }
    m_presence.reset(static_cast<uint64_t*>(p));
}

void ColorSet::ReserveFor(std::size_t pixels) {
    const std::size_t needed = std::min(m_count + pixels, kColorCount) + 1;
    if (needed <= m_capacity) {
        return;
    }
    const std::size_t grown = std::min(m_capacity * 2, kColorCount + 1);
    const std::size_t capacity = std::max(needed, grown);
    void* p = std::realloc(m_inserted.get(), capacity * sizeof(uint32_t));
    if (!p) {
        throw std::bad_alloc();
    }
    (void)m_inserted.release();
    m_inserted.reset(static_cast<uint32_t*>(p));
    m_capacity = capacity;
}

// Stable counting sort by bucket. Walking the insertions oldest first and
// filling each bucket from its end puts the newest colour first in it.
void ColorSet::SortIntoOrder() const {
    const std::size_t n = m_count;
    const uint32_t* const inserted = m_inserted.get();
    Buffer<uint8_t> buckets(Allocate<uint8_t>(n));
    std::array<std::size_t, kColorBucketCount> ends{};
    for (std::size_t i = 0; i < n; ++i) {
        const uint32_t bucket = ColorBucket(inserted[i]);
        buckets[i] = static_cast<uint8_t>(bucket);
        ++ends[bucket];
    }
    for (std::size_t b = 1; b < kColorBucketCount; ++b) {
        ends[b] += ends[b - 1];
    }
    m_ordered.reset(Allocate<uint32_t>(n));
    uint32_t* const ordered = m_ordered.get();
    for (std::size_t i = 0; i < n; ++i) {
        ordered[--ends[buckets[i]]] = inserted[i];
    }
    m_orderedCount = n;
    m_orderedValid = true;
}

}  // namespace qrv
