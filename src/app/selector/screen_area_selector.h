#pragma once

#include <QDialog>
#include <QImage>
#include <QPoint>

#include "core/search/geometry.h"

namespace qrv {

class DisplayLayout;
class Profile;
class ScreenSource;

// One overlay over all monitors showing a dimmed still of the screen; the
// rectangle dragged with the left button shows undimmed. The corners are
// taken in physical pixels whatever Qt's scale factor. Releasing the button
// or Enter accepts, Escape cancels. Whatever the result, the two corners are
// stored in screen coordinates (top-left first) in the shared section.
class ScreenAreaSelector : public QDialog {
    Q_OBJECT

  public:
    ScreenAreaSelector(DisplayLayout& layout, ScreenSource& screen, Profile& profile,
                       QWidget* parent);

    void done(int result) override;

    // The stored rectangle: corners normalised to top-left / bottom-right of
    // the client points, then moved by the virtual screen's origin.
    static Rect StoredRect(QPoint start, QPoint closing, Point virtualOrigin);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QRect Selection() const;
    // The physical pixel under a global point, relative to the virtual screen.
    Point ClientPixel(QPointF global) const;
    void StoreCorners();

    Profile& m_profile;
    Rect m_rcVirtualScreen;
    QImage m_still;           // the virtual screen, in physical pixels
    QPoint m_oStartingPoint;  // physical pixels relative to the virtual screen
    QPoint m_oClosingPoint;
    QPoint m_dragStart;  // the drag in the window's own units, for painting
    QPoint m_current;
    bool m_bDrawing = false;
    bool m_bStored = false;
};

}  // namespace qrv
