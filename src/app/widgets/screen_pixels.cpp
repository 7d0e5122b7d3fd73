#include "app/widgets/screen_pixels.h"

#include <cmath>

#include <QGuiApplication>
#include <QScreen>

namespace qrv {

namespace {

QPoint PrimaryOrigin() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry().topLeft() : QPoint();
}

// A monitor's extent in physical pixels of the window system.
QRect NativeGeometry(const QScreen& screen) {
    const QRect logical = screen.geometry();
    const qreal ratio = screen.devicePixelRatio();
    return QRect(logical.topLeft(), QSize(int(std::lround(logical.width() * ratio)),
                                          int(std::lround(logical.height() * ratio))));
}

}  // namespace

QPoint ScreenPixels::Origin(const Rect& virtualScreen) {
    QRect native;
    for (const QScreen* screen : QGuiApplication::screens()) {
        native |= NativeGeometry(*screen);
    }
    return native.topLeft() - QPoint(virtualScreen.left, virtualScreen.top);
}

Point ScreenPixels::ToPhysical(QPointF global, QPoint origin) {
    const QScreen* screen = QGuiApplication::screenAt(global.toPoint());
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    QPointF native = global;
    if (screen) {
        const QPointF corner = screen->geometry().topLeft();
        native = corner + (global - corner) * screen->devicePixelRatio();
    }
    // Pointer positions sit on whole physical pixels; rounding undoes the
    // division's inexactness at fractional ratios.
    return Point{int32_t(std::lround(native.x())) - origin.x(),
                 int32_t(std::lround(native.y())) - origin.y()};
}

QPoint ScreenPixels::ToLogical(Point physical) {
    const QPoint native = QPoint(physical.x, physical.y) + PrimaryOrigin();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect extent = NativeGeometry(*screen);
        if (extent.contains(native)) {
            const QPointF offset = QPointF(native - extent.topLeft()) / screen->devicePixelRatio();
            return extent.topLeft() +
                   QPoint(int(std::floor(offset.x())), int(std::floor(offset.y())));
        }
    }
    return native;
}

Rect ScreenPixels::Extent(const QScreen& screen, QPoint origin) {
    const QRect native = NativeGeometry(screen).translated(-origin);
    return Rect{native.left(), native.top(), native.left() + native.width(),
                native.top() + native.height()};
}

qreal ScreenPixels::Ratio() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->devicePixelRatio() : 1.0;
}

}  // namespace qrv
