#include "click_target.h"

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

}  // namespace

Point ToScreen(QPoint global) {
    const QPoint p = global - PrimaryOrigin();
    return Point{p.x(), p.y()};
}

QPoint ToGlobal(Point screen) {
    return QPoint(screen.x, screen.y) + PrimaryOrigin();
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
    move(ToGlobal(Point{screenTopLeft.x(), screenTopLeft.y()}));
}

Point ClickTarget::PictureOnScreen() const {
    return ToScreen(mapToGlobal(kPictureOffset));
}

Rect ClickTarget::ClientOnScreen() const {
    const Point topLeft = ToScreen(mapToGlobal(QPoint(0, 0)));
    return Rect{topLeft.x, topLeft.y, topLeft.x + width(), topLeft.y + height()};
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
    clicks.append(ToScreen(event->globalPosition().toPoint()));
}

}  // namespace qrv
