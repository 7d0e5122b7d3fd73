#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace qrv {

// Converts dialog units to pixels with a font's average character size, so
// that windows laid out in dialog units scale with their font: x * cx / 4
// horizontally and y * cy / 8 vertically.
class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int averageCharWidth, int charHeight);

    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const;
    QSize Size(int width, int height) const;

    int AverageCharWidth() const { return m_cx; }
    int CharHeight() const { return m_cy; }

    // The font dialogs use: the desktop's sans-serif face at 8 points.
    static QFont DialogFont();

  private:
    int m_cx;
    int m_cy;
};

}  // namespace qrv
