#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace qrv {

// Places widgets at fixed rectangles and lets each follow the window's right
// or bottom edge, or stretch with it, by the whole change of the window size.
class AnchoredLayout {
  public:
    enum Anchor { Fixed = 0, MoveX = 1, MoveY = 2, GrowX = 4, GrowY = 8 };

    void Add(QWidget* widget, const QRect& rect, int anchors);
    // The size the rectangles were laid out for.
    void SetBaseSize(const QSize& size) { m_base = size; }
    void Apply(const QSize& size) const;

  private:
    struct Item {
        QWidget* widget;
        QRect rect;
        int anchors;
    };

    std::vector<Item> m_items;
    QSize m_base;
};

}  // namespace qrv
