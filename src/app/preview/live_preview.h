#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "core/base/geometry.h"

namespace qrv {

class ScreenSource;

// A small top-level window showing the search area one-to-one. It copies the
// area about 100 ms after opening and again on every Refresh(); between
// copies it keeps showing the last one. It can be dragged by any point and
// closes with Escape. Deletes itself when closed.
class LivePreview : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kMargin = 50;
    static constexpr int kFirstPaintDelayMs = 100;

    LivePreview(ScreenSource& screen, Rect area);

    Rect Area() const { return m_area; }
    // Copies the area from the screen now.
    void Refresh();
    const QImage& Shown() const { return m_image; }

  signals:
    void Refreshed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Dragging by any point moves the preview.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    ScreenSource& m_screen;
    Rect m_area;
    QImage m_image;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

}  // namespace qrv
