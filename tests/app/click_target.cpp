#include "click_target.h"

#include <cmath>

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>

namespace qrv {

namespace {

QPoint PrimaryOrigin() {
    return QGuiApplication::primaryScreen()->geometry().topLeft();
}

// Under a scale factor a monitor keeps its top-left corner in Qt's units and
// shrinks by its pixel ratio.
QRectF NativeExtent(const QScreen& screen) {
    const QRect logical = screen.geometry();
    return QRectF(logical.topLeft(), QSizeF(logical.size()) * screen.devicePixelRatio());
}

}  // namespace

Point ToScreen(QPointF global) {
    QPointF native = global;
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->geometry().contains(global.toPoint())) {
            const QPointF origin = screen->geometry().topLeft();
            native = origin + (global - origin) * screen->devicePixelRatio();
            break;
        }
    }
    const QPointF p = native - QPointF(PrimaryOrigin());
    return Point{int32_t(std::lround(p.x())), int32_t(std::lround(p.y()))};
}

QPointF ToGlobal(Point screen) {
    const QPointF native = QPointF(screen.x, screen.y) + QPointF(PrimaryOrigin());
    for (const QScreen* monitor : QGuiApplication::screens()) {
        const QRectF extent = NativeExtent(*monitor);
        if (extent.contains(native)) {
            return extent.topLeft() + (native - extent.topLeft()) / monitor->devicePixelRatio();
        }
    }
    return native;
}

ClickTarget::ClickTarget(QPoint screenTopLeft, QSize size, QSize pictureSize)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      m_picture(pictureSize, QImage::Format_ARGB32) {
    QRandomGenerator random(20261205);
    for (int y = 0; y < pictureSize.height(); ++y) {
        for (int x = 0; x < pictureSize.width(); ++x) {
            m_picture.setPixel(x, y, 0xFF000000u | (random.generate() & 0xFFFFFFu));
        }
    }
    setFixedSize(size);
    move(ToGlobal(Point{screenTopLeft.x(), screenTopLeft.y()}).toPoint());
    // One picture pixel per screen pixel, whatever the scale factor.
    m_picture.setDevicePixelRatio(QGuiApplication::primaryScreen()->devicePixelRatio());
}

Point ClickTarget::PictureOnScreen() const {
    return ToScreen(mapToGlobal(QPointF(kPictureOffset)));
}

Rect ClickTarget::ClientOnScreen() const {
    const Point topLeft = ToScreen(mapToGlobal(QPointF(0, 0)));
    const Point bottomRight = ToScreen(mapToGlobal(QPointF(width(), height())));
    return Rect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

bool ClickTarget::SavePicture(const QString& path) const {
    return m_picture.save(path, "PNG");
}

void ClickTarget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(30, 30, 30));
    painter.drawImage(kPictureOffset, m_picture);
}

void ClickTarget::mousePressEvent(QMouseEvent* event) {
    clicks.append(ToScreen(event->globalPosition()));
}

}  // namespace qrv
