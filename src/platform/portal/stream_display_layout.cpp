#include "platform/portal/stream_display_layout.h"

#include <algorithm>

namespace qrv {

StreamDisplayLayout::StreamDisplayLayout(std::vector<Rect> monitors)
    : m_monitors(std::move(monitors)) {}

Rect StreamDisplayLayout::VirtualScreen() {
    Rect box;
    for (const Rect& m : m_monitors) {
        box.left = std::min(box.left, m.left);
        box.top = std::min(box.top, m.top);
        box.right = std::max(box.right, m.right);
        box.bottom = std::max(box.bottom, m.bottom);
    }
    return box;
}

}  // namespace qrv
