#pragma once

// The row-major prefilter and candidate verification, written once over a
// vector-width traits type V. Each kernel file instantiates it with a traits
// type of internal linkage, so code built for one instruction set never
// replaces another's at link time.
//
// V provides: Reg, kLanes, kAll (all lane bits), Load(p), Splat(u32),
// Lo(p, t) / Hi(p, t) (per-byte saturating p - t / p + t), and
// InRange(a, lo, hi) (bit i set when every byte of lane i lies in [lo, hi]).
// Only builtins are used besides V, as shared inline library functions would be
// merged across kernels by the linker.

#include <cstddef>
#include <cstdint>

#include "core/search/picture_matcher_kernels.h"

namespace qrv::matcher {

template <class V>
class ScanKernel {
  public:
    static int32_t ScanRow(ScanPlan& plan, int32_t cy, int32_t xEnd) {
        constexpr int32_t kLanes = V::kLanes;
        Filter filter(plan, cy);
        int32_t x = 0;
        for (; x + kLanes <= xEnd; x += kLanes) {
            const uint32_t bits = filter.Test(x);
            if (bits == 0) {
                continue;
            }
            const int32_t found = VerifyLanes(plan, bits, x, cy);
            if (found != kNoMatch) {
                return found;
            }
            if (filter.learnt != plan.learnt) {
                filter = Filter(plan, cy);
            }
        }
        if (x == xEnd) {
            return kNoMatch;
        }
        if (xEnd >= kLanes) {
            // Re-read the last full vector and drop the lanes already tested.
            const int32_t base = xEnd - kLanes;
            const uint32_t bits = filter.Test(base) & (V::kAll << (x - base));
            return VerifyLanes(plan, bits & V::kAll, base, cy);
        }
        for (; x < xEnd; ++x) {
            const Verdict v = TestCandidate(plan, x, cy);
            if (v != Verdict::Mismatch) {
                return v == Verdict::Match ? x : kStopped;
            }
        }
        return kNoMatch;
    }

    static Verdict TestCandidate(ScanPlan& plan, int32_t cx, int32_t cy) {
        for (int32_t k = 0; k < plan.anchorCount; ++k) {
            const Anchor& anchor = plan.anchors[k];
            if (!InRangeScalar(AnchorRow(plan, anchor, cy) + std::size_t(cx) * 4, anchor.lo,
                               anchor.hi)) {
                return Verdict::Mismatch;
            }
        }
        return Verify(plan, cx, cy);
    }

  private:
    using Reg = typename V::Reg;

    static const uint8_t* AnchorRow(const ScanPlan& plan, const Anchor& anchor, int32_t cy) {
        const std::size_t y = std::size_t(cy) + std::size_t(anchor.y);
        return plan.area + (y * std::size_t(plan.areaStride) + std::size_t(anchor.x)) * 4;
    }

    // The anchors of candidate row cy, ready to test a vector of candidates.
    struct Filter {
        Filter(const ScanPlan& plan, int32_t cy) : count(plan.anchorCount), learnt(plan.learnt) {
            for (int32_t k = 0; k < count; ++k) {
                rows[k] = AnchorRow(plan, plan.anchors[k], cy);
                lo[k] = V::Splat(plan.anchors[k].lo);
                hi[k] = V::Splat(plan.anchors[k].hi);
            }
        }

        // Lanes whose candidates pass every anchor.
        uint32_t Test(int32_t x) const {
            const std::size_t offset = std::size_t(x) * 4;
            uint32_t bits = V::InRange(V::Load(rows[0] + offset), lo[0], hi[0]);
            for (int32_t k = 1; k < count && bits != 0; ++k) {
                bits &= V::InRange(V::Load(rows[k] + offset), lo[k], hi[k]);
            }
            return bits;
        }

        const uint8_t* rows[kMaxAnchors] = {};
        Reg lo[kMaxAnchors];
        Reg hi[kMaxAnchors];
        int32_t count;
        uint32_t learnt;
    };

    static bool InRangeScalar(const uint8_t* a, uint32_t lo, uint32_t hi) {
        for (int i = 0; i < 3; ++i) {
            const uint32_t v = a[i], l = (lo >> (8 * i)) & 0xFF, h = (hi >> (8 * i)) & 0xFF;
            if (v < l || v > h) {
                return false;
            }
        }
        return true;
    }

    static bool PixelWithin(const uint8_t* a, const uint8_t* p, uint32_t tolerance) {
        for (int i = 0; i < 3; ++i) {
            const int32_t d = int32_t(a[i]) - int32_t(p[i]);
            if ((d < 0 ? -d : d) > int32_t((tolerance >> (8 * i)) & 0xFF)) {
                return false;
            }
        }
        return true;
    }

    static int32_t VerifyLanes(ScanPlan& plan, uint32_t bits, int32_t x, int32_t cy) {
        while (bits != 0) {
            const int32_t cx = x + __builtin_ctz(bits);
            bits &= bits - 1;
            const Verdict v = Verify(plan, cx, cy);
            if (v != Verdict::Mismatch) {
                return v == Verdict::Match ? cx : kStopped;
            }
        }
        return kNoMatch;
    }

    // Compares the whole picture row by row, polling the stop flag per row; the
    // pixel that rejects the candidate becomes an anchor for the next ones.
    static Verdict Verify(ScanPlan& plan, int32_t cx, int32_t cy) {
        if (plan.probe) {
            plan.probe->ComparisonStarts(cx, cy);
        }
        const Reg tol = V::Splat(plan.tolerance);
        const std::size_t areaRowBytes = std::size_t(plan.areaStride) * 4;
        const std::size_t pictureRowBytes = std::size_t(plan.pictureStride) * 4;
        const uint8_t* a = plan.area + std::size_t(cy) * areaRowBytes + std::size_t(cx) * 4;
        const uint8_t* p = plan.picture;
        for (int32_t y = 0; y < plan.pictureHeight; ++y) {
            if (plan.stop && plan.stop->load(std::memory_order_relaxed) != 0) {
                return Verdict::Stopped;
            }
            const int32_t miss = RowMismatch(a, p, plan.pictureWidth, tol, plan.tolerance);
            if (miss >= 0) {
                LearnAnchor(plan, miss, y);
                return Verdict::Mismatch;
            }
            a += areaRowBytes;
            p += pictureRowBytes;
        }
        return Verdict::Match;
    }

    // Lanes of one vector whose pixels lie out of reach.
    static uint32_t ChunkMisses(const uint8_t* a, const uint8_t* p, Reg tol) {
        const Reg pv = V::Load(p);
        return V::InRange(V::Load(a), V::Lo(pv, tol), V::Hi(pv, tol)) ^ V::kAll;
    }

    // Column of the first pixel of a picture row out of reach, or -1.
    static int32_t RowMismatch(const uint8_t* a, const uint8_t* p, int32_t width, Reg tol,
                               uint32_t tolerance) {
        constexpr int32_t kLanes = V::kLanes;
        int32_t i = 0;
        for (; i + kLanes <= width; i += kLanes) {
            const uint32_t misses =
                ChunkMisses(a + std::size_t(i) * 4, p + std::size_t(i) * 4, tol);
            if (misses != 0) {
                return i + __builtin_ctz(misses);
            }
        }
        if (i == width) {
            return -1;
        }
        if (width >= kLanes) {
            const int32_t last = width - kLanes;
            const uint32_t misses =
                ChunkMisses(a + std::size_t(last) * 4, p + std::size_t(last) * 4, tol);
            return misses != 0 ? last + __builtin_ctz(misses) : -1;
        }
        for (; i < width; ++i) {
            if (!PixelWithin(a + std::size_t(i) * 4, p + std::size_t(i) * 4, tolerance)) {
                return i;
            }
        }
        return -1;
    }
};

}  // namespace qrv::matcher
