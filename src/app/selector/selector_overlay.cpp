#include "app/selector/selector_overlay.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "app/widgets/screen_pixels.h"

namespace qrv {

namespace {

// How much of the still shows through outside the selection.
const QColor kDimming(0, 0, 0, 110);

}  // namespace

SelectorOverlay::SelectorOverlay(QScreen& screen, const QImage& still, Point stillOrigin,
                                 QPoint origin, QWidget* parent)
    : QWidget(parent),
      m_screen(screen),
      m_still(still),
      m_stillOrigin(stillOrigin),
      m_origin(origin),
      m_monitor(ScreenPixels::Extent(screen, origin)) {
    setObjectName(QStringLiteral("selectorOverlay"));
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SelectorOverlay::Cover() {
    QWidget* window = this->window();
    window->setScreen(&m_screen);
    window->setGeometry(m_screen.geometry());
    // Where windows cannot be placed, full screen is what puts one on a monitor.
    window->setWindowState(window->windowState() | Qt::WindowFullScreen);
    if (window == this) {
        show();
    }
}

void SelectorOverlay::SetSelection(const Rect& selection) {
    if (selection == m_selection) {
        return;
    }
    m_selection = selection;
    update();
}

void SelectorOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRectF source(m_monitor.left - m_stillOrigin.x, m_monitor.top - m_stillOrigin.y,
                        m_monitor.Width(), m_monitor.Height());
    painter.drawImage(Local(m_monitor), m_still, source);
    const QRectF selection = Local(m_selection);
    QRegion outside(rect());
    if (!selection.isEmpty()) {
        outside -= QRegion(selection.toAlignedRect());
    }
    painter.setClipRegion(outside);
    painter.fillRect(rect(), kDimming);
    painter.setClipping(false);
    if (!selection.isEmpty()) {
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(selection.toAlignedRect().adjusted(0, 0, -1, -1));
    }
}

void SelectorOverlay::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit Pressed(PixelAt(event->position()));
    }
}

void SelectorOverlay::mouseMoveEvent(QMouseEvent* event) {
    emit Moved(PixelAt(event->position()));
}

void SelectorOverlay::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit Released(PixelAt(event->position()));
    }
}

void SelectorOverlay::keyPressEvent(QKeyEvent* event) {
    emit KeyPressed(event->key());
}

Point SelectorOverlay::PixelAt(QPointF local) const {
    // The overlay covers its monitor exactly, wherever the window system says
    // the window is.
    return ScreenPixels::ToPhysical(QPointF(m_screen.geometry().topLeft()) + local, m_origin);
}

QRectF SelectorOverlay::Local(const Rect& pixels) const {
    const qreal ratio = m_screen.devicePixelRatio();
    return QRectF((pixels.left - m_monitor.left) / ratio, (pixels.top - m_monitor.top) / ratio,
                  pixels.Width() / ratio, pixels.Height() / ratio);
}

}  // namespace qrv
