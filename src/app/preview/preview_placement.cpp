#include "app/preview/preview_placement.h"

#include <array>
#include <optional>

namespace qrv {

QPoint PreviewPlacement::Place(const QRect& mainFrame, const QSize& frame, const QRect& area,
                               const QList<QRect>& screens) {
    const std::array<QPoint, 4> sides = {
        QPoint(mainFrame.right() + 1 + kGap, mainFrame.top()),
        QPoint(mainFrame.left() - kGap - frame.width(), mainFrame.top()),
        QPoint(mainFrame.left(), mainFrame.bottom() + 1 + kGap),
        QPoint(mainFrame.left(), mainFrame.top() - kGap - frame.height()),
    };
    std::optional<QPoint> onScreen;
    for (const QPoint& corner : sides) {
        const QRect placed(corner, frame);
        if (!OnOneScreen(placed, screens)) {
            continue;
        }
        if (!placed.intersects(area)) {
            return corner;
        }
        if (!onScreen) {
            onScreen = corner;
        }
    }
    if (onScreen) {
        return *onScreen;
    }
    for (const QRect& screen : screens) {
        if (screen.intersects(mainFrame)) {
            return screen.topLeft();
        }
    }
    return screens.isEmpty() ? mainFrame.topLeft() : screens.first().topLeft();
}

bool PreviewPlacement::OnOneScreen(const QRect& rect, const QList<QRect>& screens) {
    for (const QRect& screen : screens) {
        if (screen.contains(rect)) {
            return true;
        }
    }
    return false;
}

}  // namespace qrv
