#include "core/search/match_lister.h"

#include <algorithm>

#include "core/search/picture_matcher_kernels.h"

namespace qrv {

namespace {

using matcher::CandidatePoint;

bool StopRequested(const MatchInputs& in) {
    return in.stop && in.stop->load(std::memory_order_relaxed) != 0;
}

bool ColumnMajorBefore(const Point& a, const Point& b) {
    return a.x != b.x ? a.x < b.x : a.y < b.y;
}

// The first `limit` candidates: a picture with nothing to compare matches everywhere.
std::vector<Point> EveryCandidate(const MatchInputs& in, int64_t lastX, int64_t lastY,
                                  std::size_t limit) {
    std::vector<Point> out;
    for (int64_t x = 0; x <= lastX && out.size() < limit; ++x) {
        for (int64_t y = 0; y <= lastY && out.size() < limit; ++y) {
            out.push_back(CandidatePoint(in, x, y));
        }
    }
    return out;
}

// Keeps the first `limit` matches in column-major order as a heap whose top is
// the last of them. Rows are scanned top to bottom, so once the heap is full a
// later candidate can only enter left of the top's column.
class FirstMatches {
  public:
    explicit FirstMatches(std::size_t limit) : m_limit(limit) {}

    // Adds candidate (x, y); returns the column the candidates still to come must stay left of.
    int32_t Add(int32_t x, int32_t y, int32_t xEnd) {
        m_heap.push_back({x, y});
        std::push_heap(m_heap.begin(), m_heap.end(), ColumnMajorBefore);
        if (m_heap.size() > m_limit) {
            std::pop_heap(m_heap.begin(), m_heap.end(), ColumnMajorBefore);
            m_heap.pop_back();
        }
        return m_heap.size() == m_limit ? std::min(xEnd, m_heap.front().x) : xEnd;
    }

    // The kept candidates in scan order, as screen positions.
    std::vector<Point> Sorted(const MatchInputs& in) {
        std::sort_heap(m_heap.begin(), m_heap.end(), ColumnMajorBefore);
        for (Point& p : m_heap) {
            p = CandidatePoint(in, p.x, p.y);
        }
        return std::move(m_heap);
    }

  private:
    std::size_t m_limit;
    std::vector<Point> m_heap;  // area offsets
};

}  // namespace

std::vector<Point> ListMatches(const MatchInputs& in, std::size_t limit, MatcherPath path) {
    const int64_t lastX = int64_t(in.areaWidth) - in.pictureWidth;
    const int64_t lastY = int64_t(in.areaHeight) - in.pictureHeight;
    if (limit == 0 || StopRequested(in) || lastX < 0 || lastY < 0) {
        return {};
    }
    if (!matcher::HasComparedPixel(in)) {
        return EveryCandidate(in, lastX, lastY, limit);
    }
    const matcher::Tolerance tolerance =
        matcher::NormaliseDeviations(in.deviationRed, in.deviationGreen, in.deviationBlue);
    if (tolerance.matchesNothing) {
        return {};
    }
    const matcher::Kernel& kernel = matcher::SelectKernel(path);
    matcher::ScanPlan plan = matcher::MakePlan(in, tolerance.bytes);
    FirstMatches kept(limit);
    int32_t xEnd = int32_t(lastX) + 1;
    for (int32_t cy = 0; cy <= lastY && xEnd > 0 && !StopRequested(in); ++cy) {
        for (int32_t x = 0; x < xEnd;) {
            const int32_t found = kernel.scanRow(plan, cy, x, xEnd);
            if (found < 0) {
                break;
            }
            xEnd = kept.Add(found, cy, xEnd);
            x = found + 1;
        }
    }
    return kept.Sorted(in);
}

std::vector<Point> ListMatchesReference(const MatchInputs& in, std::size_t limit) {
    std::vector<Point> out;
    const int64_t lastX = int64_t(in.areaWidth) - in.pictureWidth;
    const int64_t lastY = int64_t(in.areaHeight) - in.pictureHeight;
    for (int64_t x = 0; x <= lastX && out.size() < limit; ++x) {
        for (int64_t y = 0; y <= lastY && out.size() < limit; ++y) {
            if (FindPictureAt(in, int32_t(x), int32_t(y))) {
                out.push_back(CandidatePoint(in, x, y));
            }
        }
    }
    return out;
}

}  // namespace qrv
