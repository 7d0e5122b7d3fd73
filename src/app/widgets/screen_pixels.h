#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>

#include "core/base/geometry.h"

class QScreen;

namespace qrv {

// Qt places windows in device-independent units: with a scale factor other
// than 1, a monitor keeps its top-left corner but its size shrinks by its
// pixel ratio. The program's screen coordinates are physical pixels counted
// from a corner the desktop chooses (Origin()); these conversions link the
// two.
class ScreenPixels {
  public:
    // Where screen pixel (0, 0) lies in the window system's pixels, given the
    // virtual screen in screen pixels: the backends count from different
    // corners (the primary monitor's, or the compositor's layout origin).
    static QPoint Origin(const Rect& virtualScreen);
    // The physical pixel under a point of Qt's global coordinates.
    static Point ToPhysical(QPointF global, QPoint origin);
    // The point of Qt's global coordinates that shows a physical pixel counted
    // from the primary monitor's corner. Only for placing windows, which
    // Wayland ignores anyway.
    static QPoint ToLogical(Point physical);
    // A monitor's extent in physical pixels.
    static Rect Extent(const QScreen& screen, QPoint origin);
    // The ratio of physical to device-independent pixels on the primary monitor.
    static qreal Ratio();
};

}  // namespace qrv
