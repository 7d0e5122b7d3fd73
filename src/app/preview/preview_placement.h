#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace qrv {

// Where a preview window opens: beside the main window (right, left, below,
// above, in that order of preference), wholly on one screen and clear of the
// area it shows, so that it never copies itself. Without such a place, the
// first side that is on screen, else the top-left corner of the main window's
// screen.
class PreviewPlacement {
  public:
    static constexpr int kGap = 8;

    static QPoint Place(const QRect& mainFrame, const QSize& frame, const QRect& area,
                        const QList<QRect>& screens);

  private:
    static bool OnOneScreen(const QRect& rect, const QList<QRect>& screens);
};

}  // namespace qrv
