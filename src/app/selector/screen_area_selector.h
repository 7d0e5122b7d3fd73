#pragma once

#include <memory>
#include <vector>

#include <QDialog>
#include <QImage>
#include <QPoint>

#include "core/base/geometry.h"

class QScreen;

namespace qrv {

class DisplayLayout;
class InputInjector;
class Profile;
class ScreenSource;
class SelectorOverlay;

// A full-screen overlay on every monitor, each showing its part of a dimmed
// still of the screen; the rectangle dragged with the left button shows
// undimmed. A drag may start on one monitor and end on another. The corners
// are physical pixels whatever Qt's scale factor: the desktop's own pointer
// position where it tracks it. Releasing the button or Enter accepts, Escape
// cancels. Whatever the result, the two corners are stored in screen
// coordinates (top-left first) in the shared section.
class ScreenAreaSelector : public QDialog {
    Q_OBJECT

  public:
    ScreenAreaSelector(DisplayLayout& layout, ScreenSource& screen, InputInjector& input,
                       Profile& profile, QWidget* parent);
    ~ScreenAreaSelector() override;

    void done(int result) override;

    // The screen as the overlays showed it, undimmed, in screen coordinates;
    // null when it could not be read.
    std::unique_ptr<ScreenSource> TakeStill();

    // The stored rectangle: corners normalised to top-left / bottom-right of
    // the client points, then moved by the virtual screen's origin.
    static Rect StoredRect(QPoint start, QPoint closing, Point virtualOrigin);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void AddOverlay(QScreen& screen, bool ownWindow);
    void OnPressed(Point pixel);
    void OnMoved(Point pixel);
    void OnReleased(Point pixel);
    void OnKey(int key);
    void ShowSelection();
    // The pointer relative to the virtual screen, given the screen pixel its
    // event reported.
    QPoint Client(Point pixel) const;
    void StoreCorners();

    InputInjector& m_input;
    Profile& m_profile;
    Rect m_rcVirtualScreen;
    std::unique_ptr<ScreenSource> m_stillSource;
    QImage m_still;                            // the virtual screen, in physical pixels
    std::vector<SelectorOverlay*> m_overlays;  // this window's own first
    QPoint m_oStartingPoint;                   // physical pixels relative to the virtual screen
    QPoint m_oClosingPoint;
    QPoint m_current;
    bool m_bDrawing = false;
    bool m_stored = false;
};

}  // namespace qrv
