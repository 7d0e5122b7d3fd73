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

#include "search/picture_matcher_kernels.h"

namespace qrv::matcher {

template <class V>
class ScanKernel {
  public:
    static int32_t ScanRow(const ScanPlan& plan, int32_t cy, int32_t xEnd) {
        constexpr int32_t kLanes = V::kLanes;
        const uint8_t* rowA = AnchorRow(plan, plan.first, cy);
        const uint8_t* rowB = AnchorRow(plan, plan.second, cy);
        const typename V::Reg lo1 = V::Splat(plan.first.lo), hi1 = V::Splat(plan.first.hi);
        const typename V::Reg lo2 = V::Splat(plan.second.lo), hi2 = V::Splat(plan.second.hi);
        int32_t x = 0;
        for (; x + kLanes <= xEnd; x += kLanes) {
            uint32_t bits = V::InRange(V::Load(rowA + std::size_t(x) * 4), lo1, hi1);
            if (bits == 0) {
                continue;
            }
            bits &= V::InRange(V::Load(rowB + std::size_t(x) * 4), lo2, hi2);
            int32_t found = VerifyLanes(plan, bits, x, cy);
            if (found != kNoMatch) {
                return found;
            }
        }
        if (x == xEnd) {
            return kNoMatch;
        }
        if (xEnd >= kLanes) {
            // Re-read the last full vector and drop the lanes already tested.
            const int32_t base = xEnd - kLanes;
            uint32_t bits = V::InRange(V::Load(rowA + std::size_t(base) * 4), lo1, hi1) &
                            V::InRange(V::Load(rowB + std::size_t(base) * 4), lo2, hi2);
            bits &= V::kAll << (x - base);
            return VerifyLanes(plan, bits & V::kAll, base, cy);
        }
        for (; x < xEnd; ++x) {
            Verdict v = TestCandidate(plan, x, cy);
            if (v != Verdict::Mismatch) {
                return v == Verdict::Match ? x : kStopped;
            }
        }
        return kNoMatch;
    }

    static Verdict TestCandidate(const ScanPlan& plan, int32_t cx, int32_t cy) {
        const uint8_t* a = AnchorRow(plan, plan.first, cy) + std::size_t(cx) * 4;
        const uint8_t* b = AnchorRow(plan, plan.second, cy) + std::size_t(cx) * 4;
        if (!InRangeScalar(a, plan.first.lo, plan.first.hi) ||
            !InRangeScalar(b, plan.second.lo, plan.second.hi)) {
            return Verdict::Mismatch;
        }
        return Verify(plan, cx, cy);
    }

  private:
    static const uint8_t* AnchorRow(const ScanPlan& plan, const Anchor& anchor, int32_t cy) {
        const std::size_t y = std::size_t(cy) + std::size_t(anchor.y);
        return plan.area + (y * std::size_t(plan.areaStride) + std::size_t(anchor.x)) * 4;
    }

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

    static int32_t VerifyLanes(const ScanPlan& plan, uint32_t bits, int32_t x, int32_t cy) {
        while (bits != 0) {
            const int32_t cx = x + __builtin_ctz(bits);
            bits &= bits - 1;
            Verdict v = Verify(plan, cx, cy);
            if (v != Verdict::Mismatch) {
                return v == Verdict::Match ? cx : kStopped;
            }
        }
        return kNoMatch;
    }

    // Compares the whole picture row by row, polling the stop flag per row.
    static Verdict Verify(const ScanPlan& plan, int32_t cx, int32_t cy) {
        const typename V::Reg tol = V::Splat(plan.tolerance);
        const std::size_t areaRowBytes = std::size_t(plan.areaStride) * 4;
        const std::size_t pictureRowBytes = std::size_t(plan.pictureStride) * 4;
        const uint8_t* a = plan.area + std::size_t(cy) * areaRowBytes + std::size_t(cx) * 4;
        const uint8_t* p = plan.picture;
        for (int32_t y = 0; y < plan.pictureHeight; ++y) {
            if (plan.stop && plan.stop->load(std::memory_order_relaxed) != 0) {
                return Verdict::Stopped;
            }
            if (!RowMatches(a, p, plan.pictureWidth, tol, plan.tolerance)) {
                return Verdict::Mismatch;
            }
            a += areaRowBytes;
            p += pictureRowBytes;
        }
        return Verdict::Match;
    }

    static bool ChunkMatches(const uint8_t* a, const uint8_t* p, typename V::Reg tol) {
        const typename V::Reg pv = V::Load(p);
        return V::InRange(V::Load(a), V::Lo(pv, tol), V::Hi(pv, tol)) == V::kAll;
    }

    static bool RowMatches(const uint8_t* a, const uint8_t* p, int32_t width, typename V::Reg tol,
                           uint32_t tolerance) {
        constexpr int32_t kLanes = V::kLanes;
        int32_t i = 0;
        for (; i + kLanes <= width; i += kLanes) {
            if (!ChunkMatches(a + std::size_t(i) * 4, p + std::size_t(i) * 4, tol)) {
                return false;
            }
        }
        if (i == width) {
            return true;
        }
        if (width >= kLanes) {
            const std::size_t last = std::size_t(width - kLanes) * 4;
            return ChunkMatches(a + last, p + last, tol);
        }
        for (; i < width; ++i) {
            if (!PixelWithin(a + std::size_t(i) * 4, p + std::size_t(i) * 4, tolerance)) {
                return false;
            }
        }
        return true;
    }
};

}  // namespace qrv::matcher
