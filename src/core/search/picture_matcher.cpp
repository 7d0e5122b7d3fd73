#include "core/search/picture_matcher.h"

#include "core/search/picture_matcher_kernels.h"

namespace qrv {

MatchInputs MatchInputs::Of(const PixelImage& area, const PixelImage& picture) {
    MatchInputs in;
    in.area = &area;
    in.picture = &picture;
    in.areaWidth = area.m_iWidth;
    in.areaHeight = area.m_iHeight;
    in.pictureWidth = picture.m_iWidth;
    in.pictureHeight = picture.m_iHeight;
    return in;
}

namespace {

using matcher::CandidatePoint;
using matcher::Kernel;
using matcher::ScanPlan;
using matcher::SelectKernel;
using matcher::Verdict;

bool StopRequested(const MatchInputs& in) {
    return in.stop && in.stop->load(std::memory_order_relaxed) != 0;
}

bool CpuHasAvx2() {
#if defined(__x86_64__) || defined(_M_X64)
    static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") &&
                            __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt");
    return has;
#else
    return false;
#endif
}

// Candidates one by one in column-major order, moving the cursor to each.
// Without a kernel no candidate matches.
bool SweepScan(const MatchInputs& in, const Kernel* kernel, ScanPlan& plan, int32_t lastX,
               int32_t lastY, Point& out) {
    for (int32_t x = 0; x <= lastX; ++x) {
        for (int32_t y = 0; y <= lastY; ++y) {
            if (StopRequested(in)) {
                return false;
            }
            out = CandidatePoint(in, x, y);
            if (in.cursor) {
                in.cursor->MoveTo(out);
            }
            const Verdict v = kernel ? kernel->testCandidate(plan, x, y) : Verdict::Mismatch;
            if (v != Verdict::Mismatch) {
                return v == Verdict::Match;
            }
        }
    }
    return false;
}

// Rows top to bottom; a match at column x leaves only columns left of x for
// the rows below, so the survivor is the column-major first match.
bool RowScan(const MatchInputs& in, const Kernel& kernel, ScanPlan& plan, int32_t lastX,
             int32_t lastY, Point& out) {
    int32_t xEnd = lastX + 1;
    int32_t bestY = -1;
    for (int32_t cy = 0; cy <= lastY && xEnd > 0; ++cy) {
        if (StopRequested(in)) {
            return false;
        }
        const int32_t found = kernel.scanRow(plan, cy, 0, xEnd);
        if (found == matcher::kStopped) {
            return false;
        }
        if (found >= 0) {
            xEnd = found;
            bestY = cy;
        }
    }
    if (bestY >= 0) {
        out = CandidatePoint(in, xEnd, bestY);
        return true;
    }
    out = CandidatePoint(in, lastX, lastY);
    return false;
}

}  // namespace

bool MatcherPathAvailable(MatcherPath path) {
    switch (path) {
        case MatcherPath::Auto:
        case MatcherPath::Scalar:
            return true;
        case MatcherPath::Sse2:
#if defined(__x86_64__) || defined(_M_X64)
            return true;
#else
            return false;
#endif
        case MatcherPath::Avx2:
            return CpuHasAvx2();
    }
    return false;
}

bool FindPictureInArea(const MatchInputs& in, Point& out, MatcherPath path) {
    out = {-1, -1};
    const int64_t lastX = int64_t(in.areaWidth) - in.pictureWidth;
    const int64_t lastY = int64_t(in.areaHeight) - in.pictureHeight;
    if (StopRequested(in) || lastX < 0 || lastY < 0) {
        return false;
    }
    if (!matcher::HasComparedPixel(in)) {
        // Nothing to compare: the first candidate matches.
        out = CandidatePoint(in, 0, 0);
        if (in.sweep && in.cursor) {
            in.cursor->MoveTo(out);
        }
        return true;
    }
    // With a picture pixel to compare, both bounds fit: lastX < areaWidth.
    const matcher::Tolerance tolerance =
        matcher::NormaliseDeviations(in.deviationRed, in.deviationGreen, in.deviationBlue);
    if (tolerance.matchesNothing) {
        if (in.sweep) {
            ScanPlan none;
            return SweepScan(in, nullptr, none, int32_t(lastX), int32_t(lastY), out);
        }
        out = CandidatePoint(in, lastX, lastY);
        return false;
    }
    const Kernel& kernel = SelectKernel(path);
    ScanPlan plan = matcher::MakePlan(in, tolerance.bytes);
    if (in.sweep) {
        return SweepScan(in, &kernel, plan, int32_t(lastX), int32_t(lastY), out);
    }
    return RowScan(in, kernel, plan, int32_t(lastX), int32_t(lastY), out);
}

namespace matcher {

const Kernel& SelectKernel(MatcherPath path) {
    if (path == MatcherPath::Auto || !MatcherPathAvailable(path)) {
        path = MatcherPathAvailable(MatcherPath::Avx2)   ? MatcherPath::Avx2
               : MatcherPathAvailable(MatcherPath::Sse2) ? MatcherPath::Sse2
                                                         : MatcherPath::Scalar;
    }
#if defined(__x86_64__) || defined(_M_X64)
    if (path == MatcherPath::Avx2) {
        return matcher::kAvx2Kernel;
    }
    if (path == MatcherPath::Sse2) {
        return matcher::kSse2Kernel;
    }
#endif
    return matcher::kScalarKernel;
}

ScanPlan MakePlan(const MatchInputs& in, uint32_t tolerance) {
    ScanPlan plan;
    plan.area = in.area->Data();
    plan.areaStride = in.area->Stride();
    plan.picture = in.picture->Data();
    plan.pictureStride = in.picture->Stride();
    plan.pictureWidth = in.pictureWidth;
    plan.pictureHeight = in.pictureHeight;
    plan.tolerance = tolerance;
    plan.stop = in.stop;
    plan.probe = in.probe;
    plan.masked = in.maskTransparent;
    ChooseAnchors(plan, in.areaWidth, in.areaHeight);
    return plan;
}

bool HasComparedPixel(const MatchInputs& in) {
    if (in.pictureWidth <= 0 || in.pictureHeight <= 0) {
        return false;
    }
    if (!in.maskTransparent) {
        return true;
    }
    for (int32_t y = 0; y < in.pictureHeight; ++y) {
        const uint8_t* row = in.picture->Row(y);
        for (int32_t x = 0; x < in.pictureWidth; ++x) {
            if (PixelCompared(in, row + std::size_t(x) * 4)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace matcher

}  // namespace qrv
