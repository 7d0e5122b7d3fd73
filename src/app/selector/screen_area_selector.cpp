#include "app/selector/screen_area_selector.h"

#include <algorithm>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "app/widgets/qt_pixel_image.h"
#include "app/widgets/screen_pixels.h"
#include "core/desktop/display_layout.h"
#include "core/desktop/screen_source.h"
#include "core/settings/profile.h"

namespace qrv {

namespace {

// How much of the still shows through outside the selection.
const QColor kDimming(0, 0, 0, 110);

}  // namespace

ScreenAreaSelector::ScreenAreaSelector(DisplayLayout& layout, ScreenSource& screen,
                                       Profile& profile, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
                          Qt::X11BypassWindowManagerHint),
      m_profile(profile),
      m_rcVirtualScreen(layout.VirtualScreen()) {
    setObjectName(QStringLiteral("screenAreaSelector"));
    setCursor(Qt::CrossCursor);
    setMouseTracking(false);

    PixelImage pixels;
    screen.Capture(m_rcVirtualScreen.left, m_rcVirtualScreen.top, m_rcVirtualScreen.Width(),
                   m_rcVirtualScreen.Height(), pixels);
    m_still = ToQImage(pixels);

    // One window over every monitor, in Qt's device-independent units.
    QRect global;
    for (const QScreen* monitor : QGuiApplication::screens()) {
        global |= monitor->geometry();
    }
    setGeometry(global);
}

void ScreenAreaSelector::done(int result) {
    StoreCorners();
    QDialog::done(result);
}

Rect ScreenAreaSelector::StoredRect(QPoint start, QPoint closing, Point virtualOrigin) {
    const int left = std::min(start.x(), closing.x());
    const int right = std::max(start.x(), closing.x());
    const int top = std::min(start.y(), closing.y());
    const int bottom = std::max(start.y(), closing.y());
    return Rect{left + virtualOrigin.x, top + virtualOrigin.y, right + virtualOrigin.x,
                bottom + virtualOrigin.y};
}

void ScreenAreaSelector::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    // The window system scales the whole window by one ratio from its own
    // corner: drawn at that ratio, the still covers the monitors one to one.
    const qreal ratio = devicePixelRatioF();
    m_still.setDevicePixelRatio(ratio);
    const QPoint primary = QGuiApplication::primaryScreen()->geometry().topLeft();
    const QPoint stillCorner = primary + QPoint(m_rcVirtualScreen.left, m_rcVirtualScreen.top);
    painter.drawImage(QPointF(stillCorner - geometry().topLeft()) / ratio, m_still);
    const QRect selection = Selection();
    painter.setClipRegion(QRegion(rect()).subtracted(QRegion(selection)));
    painter.fillRect(rect(), kDimming);
    painter.setClipping(false);
    if (m_bDrawing && !selection.isEmpty()) {
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(selection.adjusted(0, 0, -1, -1));
    }
}

void ScreenAreaSelector::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_dragStart = m_current = event->position().toPoint();
    const Point pixel = ClientPixel(event->globalPosition());
    m_oStartingPoint = QPoint(pixel.x, pixel.y);
    m_bDrawing = true;
    update();
}

void ScreenAreaSelector::mouseMoveEvent(QMouseEvent* event) {
    if (!m_bDrawing) {
        return;
    }
    m_current = event->position().toPoint();
    update();
}

void ScreenAreaSelector::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_bDrawing || event->button() != Qt::LeftButton) {
        return;
    }
    const Point pixel = ClientPixel(event->globalPosition());
    m_oClosingPoint = QPoint(pixel.x, pixel.y);
    m_bDrawing = false;
    accept();
}

void ScreenAreaSelector::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            m_bDrawing = false;
            reject();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            accept();
            return;
        default:
            event->ignore();
    }
}

void ScreenAreaSelector::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
    grabKeyboard();
}

void ScreenAreaSelector::hideEvent(QHideEvent* event) {
    releaseKeyboard();
    QDialog::hideEvent(event);
}

QRect ScreenAreaSelector::Selection() const {
    if (!m_bDrawing) {
        return {};
    }
    return QRect(m_dragStart, m_current).normalized().adjusted(0, 0, -1, -1);
}

Point ScreenAreaSelector::ClientPixel(QPointF global) const {
    const Point pixel = ScreenPixels::ToPhysical(global);
    return Point{pixel.x - m_rcVirtualScreen.left, pixel.y - m_rcVirtualScreen.top};
}

void ScreenAreaSelector::StoreCorners() {
    if (m_bStored) {
        return;
    }
    m_bStored = true;
    const Rect stored = StoredRect(m_oStartingPoint, m_oClosingPoint,
                                   Point{m_rcVirtualScreen.left, m_rcVirtualScreen.top});
    m_profile.Write(keys::kStartingPointX, stored.left);
    m_profile.Write(keys::kStartingPointY, stored.top);
    m_profile.Write(keys::kClosingPointX, stored.right);
    m_profile.Write(keys::kClosingPointY, stored.bottom);
}

}  // namespace qrv
