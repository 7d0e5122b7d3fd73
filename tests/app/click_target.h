#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QWidget>

#include "core/base/geometry.h"

namespace qrv {

// A window on the primary monitor showing a random pattern (the picture to
// find) at a fixed offset, recording where it was clicked in screen
// coordinates.
class ClickTarget : public QWidget {
  public:
    static constexpr QPoint kPictureOffset{60, 40};

    ClickTarget(QPoint screenTopLeft, QSize size, QSize pictureSize);

    const QImage& Picture() const { return m_picture; }
    // The pattern's top-left in screen coordinates.
    Point PictureOnScreen() const;
    // The window's client area in screen coordinates.
    Rect ClientOnScreen() const;
    // Saves the pattern as a 32-bit PNG file.
    bool SavePicture(const QString& path) const;

    QList<Point> clicks;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QImage m_picture;
};

// Screen coordinates (physical pixels, primary monitor at 0,0) of a Qt global
// position, and back.
Point ToScreen(QPointF global);
QPointF ToGlobal(Point screen);

}  // namespace qrv
