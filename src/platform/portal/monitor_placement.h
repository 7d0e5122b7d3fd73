#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/base/geometry.h"

namespace qrv {

// What the portal tells of one screen-cast stream's monitor.
struct StreamGeometry {
    std::optional<Point> position;  // absent on desktops that do not say (KDE)
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const StreamGeometry&, const StreamGeometry&) = default;
};

// Where each stream's monitor sits on the screen, in stream order. A stream
// keeps the position the portal gives; one without takes the place of an
// output of the compositor's own layout (`outputs`, in their order; empty
// when it cannot be read): first one of the stream's size, else the next one
// left. The rest follow side by side right of what is placed. When that
// would let two monitors overlap, every stream is placed side by side from
// the origin in stream order instead: monitors never overlap.
std::vector<Rect> PlaceMonitors(const std::vector<StreamGeometry>& streams,
                                const std::vector<Rect>& outputs);

}  // namespace qrv
