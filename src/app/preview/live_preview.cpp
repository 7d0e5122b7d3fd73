#include "app/preview/live_preview.h"

#include <cmath>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

#include "app/widgets/app_icons.h"
#include "app/widgets/message_boxes.h"
#include "app/widgets/qt_pixel_image.h"
#include "app/widgets/screen_pixels.h"
#include "core/desktop/screen_source.h"

namespace qrv {

LivePreview::LivePreview(ScreenSource& screen, Rect area)
    : QWidget(nullptr, Qt::Window | Qt::Tool), m_screen(screen), m_area(area) {
    setObjectName(QStringLiteral("livePreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Picture Preview - %1").arg(MessageBoxes::Caption()));
    setWindowIcon(AppIcons::Normal());
    // The area shows one physical pixel per screen pixel whatever the scale factor.
    const qreal ratio = ScreenPixels::Ratio();
    setFixedSize(int(std::ceil((area.Width() + kMargin) / ratio)),
                 int(std::ceil((area.Height() + kMargin) / ratio)));
    QTimer::singleShot(kFirstPaintDelayMs, this, &LivePreview::Refresh);
}

void LivePreview::Refresh() {
    PixelImage pixels;
    m_screen.Capture(m_area, pixels);
    m_image = ToQImage(pixels);
    m_image.setDevicePixelRatio(ScreenPixels::Ratio());
    update();
    emit Refreshed();
}

void LivePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!m_image.isNull()) {
        painter.drawImage(0, 0, m_image);
    }
}

void LivePreview::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        // Where only the window system can place windows, it moves this one.
        if (windowHandle() && windowHandle()->startSystemMove()) {
            return;
        }
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
}

void LivePreview::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        move(event->globalPosition().toPoint() - m_dragOffset);
    }
}

void LivePreview::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragging = false;
    }
}

void LivePreview::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace qrv
