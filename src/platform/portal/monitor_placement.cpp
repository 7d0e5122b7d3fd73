#include "platform/portal/monitor_placement.h"

#include <algorithm>
#include <cstdlib>

namespace qrv {
namespace {

// Far enough inside 32 bits that sums of a few areas cannot overflow.
constexpr int64_t kLimit = int64_t(1) << 28;

bool Fits(int64_t left, int64_t top, const StreamGeometry& s) {
    return s.width > 0 && s.height > 0 && std::abs(left) < kLimit && std::abs(top) < kLimit &&
           s.width < kLimit && s.height < kLimit;
}

Rect At(int64_t left, int64_t top, const StreamGeometry& s) {
    return Rect{int32_t(left), int32_t(top), int32_t(left + s.width), int32_t(top + s.height)};
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Whether every stream has an area and no two overlap.
bool Apart(const std::vector<std::optional<Rect>>& areas) {
    for (std::size_t i = 0; i < areas.size(); ++i) {
        if (!areas[i]) {
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (Overlap(*areas[i], *areas[j])) {
                return false;
            }
        }
    }
    return true;
}

std::vector<Rect> SideBySide(const std::vector<StreamGeometry>& streams) {
    std::vector<Rect> areas;
    int64_t left = 0;
    for (const StreamGeometry& s : streams) {
        areas.push_back(At(left, 0, s));
        left += std::max(s.width, 0);
    }
    return areas;
}

}  // namespace

std::vector<Rect> PlaceMonitors(const std::vector<StreamGeometry>& streams,
                                const std::vector<Rect>& outputs) {
    std::vector<std::optional<Rect>> areas(streams.size());
    std::vector<bool> taken(outputs.size(), false);
    int64_t right = 0;
    const auto place = [&](std::size_t i, int64_t left, int64_t top) {
        if (Fits(left, top, streams[i])) {
            areas[i] = At(left, top, streams[i]);
            right = std::max<int64_t>(right, areas[i]->right);
        }
    };
    for (std::size_t i = 0; i < streams.size(); ++i) {
        if (const std::optional<Point>& p = streams[i].position) {
            place(i, p->x, p->y);
            for (std::size_t o = 0; o < outputs.size() && areas[i]; ++o) {
                taken[o] = taken[o] || Overlap(outputs[o], *areas[i]);
            }
        }
    }
    // Same size first, so that a stream finds its own output whatever the order.
    for (const bool sameSize : {true, false}) {
        for (std::size_t i = 0; i < streams.size(); ++i) {
            for (std::size_t o = 0; o < outputs.size() && !areas[i]; ++o) {
                const Rect& out = outputs[o];
                const bool sized =
                    out.Width() == streams[i].width && out.Height() == streams[i].height;
                if (!taken[o] && (sized || !sameSize)) {
                    taken[o] = true;
                    place(i, out.left, out.top);
                }
            }
        }
    }
    for (std::size_t i = 0; i < streams.size(); ++i) {
        if (!areas[i]) {
            place(i, right, 0);
        }
    }
    if (!Apart(areas)) {
        return SideBySide(streams);
    }
    std::vector<Rect> placed;
    for (const std::optional<Rect>& a : areas) {
        placed.push_back(*a);
    }
    return placed;
}

}  // namespace qrv
