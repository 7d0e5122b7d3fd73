#pragma once

#include <QImage>
#include <QWidget>

#include "core/base/geometry.h"

class QScreen;

namespace qrv {

// The part of the area selector over one monitor: that monitor's part of the
// still, dimmed outside the selection. Pointer positions are reported in
// physical screen pixels; while a button is held the window system keeps
// sending them here, also past this monitor's edge.
class SelectorOverlay : public QWidget {
    Q_OBJECT

  public:
    // still: the virtual screen, whose top-left corner is stillOrigin in
    // screen pixels; origin: screen pixel (0, 0) in the window system's.
    SelectorOverlay(QScreen& screen, const QImage& still, Point stillOrigin, QPoint origin,
                    QWidget* parent);

    // Places the window this overlay fills on its monitor, full screen, and
    // shows it when the overlay is a window of its own.
    void Cover();
    // The selection in screen pixels, empty when nothing is being dragged.
    void SetSelection(const Rect& selection);

  signals:
    void Pressed(Point pixel);
    void Moved(Point pixel);
    void Released(Point pixel);
    void KeyPressed(int key);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The screen pixel under a point of this overlay.
    Point PixelAt(QPointF local) const;
    // A rectangle of screen pixels in this overlay's own units.
    QRectF Local(const Rect& pixels) const;

    QScreen& m_screen;
    const QImage& m_still;
    Point m_stillOrigin;
    QPoint m_origin;
    Rect m_monitor;  // this monitor in screen pixels
    Rect m_selection{};
};

}  // namespace qrv
