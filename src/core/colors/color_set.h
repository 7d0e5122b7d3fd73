#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "core/base/pixel_image.h"

namespace qrv {

// The distinct packed colours 0x00BBGGRR of an image, in list order: grouped
// by bucket (ColorBucket) ascending, the most recently inserted colour first
// within a bucket.
//
// That order depends only on which colours were inserted and when, so the set
// keeps a presence bitmap over all 2^24 colours (2 MiB, allocated on the first
// insertion) and the sequence of first insertions, and sorts once when the
// order is asked for. The ordered view is cached until the next insertion.
class ColorSet {
  public:
    ColorSet() = default;
    ColorSet(const ColorSet&) = delete;
    ColorSet& operator=(const ColorSet&) = delete;
    ColorSet(ColorSet&& other) noexcept;
    ColorSet& operator=(ColorSet&& other) noexcept;
    ~ColorSet() = default;

    // Inserts the colour (top byte ignored) unless present; true when inserted.
    bool Insert(uint32_t color);
    bool Contains(uint32_t color) const;
    std::size_t Count() const { return m_count; }
    bool Empty() const { return m_count == 0; }

    // Inserts the packed colour of every pixel, rows top first, left to right.
    void InsertImage(const PixelImage& image);
    // Same for `count` pixels stored as blue, green, red, ignored.
    void InsertPixels(const uint8_t* bgrx, std::size_t count);

    // The colours in list order; valid until the next insertion.
    std::span<const uint32_t> Ordered() const;

  private:
    struct FreeDeleter {
        void operator()(void* p) const;
    };
    template <typename T>
    using Buffer = std::unique_ptr<T[], FreeDeleter>;

    void EnsureBitmap();
    // Makes room for `pixels` more insertions plus the one spare slot that
    // the branch-free insertion loop writes past the end.
    void ReserveFor(std::size_t pixels);
    void SortIntoOrder() const;

    Buffer<uint64_t> m_presence;
    // First insertions, oldest first; m_count of m_capacity slots are used.
    Buffer<uint32_t> m_inserted;
    std::size_t m_count = 0;
    std::size_t m_capacity = 0;
    // The list order of the first m_orderedCount insertions.
    mutable Buffer<uint32_t> m_ordered;
    mutable std::size_t m_orderedCount = 0;
    mutable bool m_orderedValid = true;
};

}  // namespace qrv
