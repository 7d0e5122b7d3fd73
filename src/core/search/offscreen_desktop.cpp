#include "core/search/offscreen_desktop.h"

#include <algorithm>

namespace qrv {

// The virtual screen always contains (0, 0), as a real desktop's does.
OffscreenDesktop::OffscreenDesktop(Rect screen)
    : m_screen{std::min(screen.left, 0), std::min(screen.top, 0), std::max(screen.right, 1),
               std::max(screen.bottom, 1)} {}

}  // namespace qrv
