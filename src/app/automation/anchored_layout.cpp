#include "app/automation/anchored_layout.h"

#include <QWidget>

namespace qrv {

void AnchoredLayout::Add(QWidget* widget, const QRect& rect, int anchors) {
    widget->setGeometry(rect);
    m_items.push_back({widget, rect, anchors});
}

void AnchoredLayout::Apply(const QSize& size) const {
    const int dx = size.width() - m_base.width();
    const int dy = size.height() - m_base.height();
    for (const Item& item : m_items) {
        QRect rect = item.rect;
        rect.translate((item.anchors & MoveX) ? dx : 0, (item.anchors & MoveY) ? dy : 0);
        rect.adjust(0, 0, (item.anchors & GrowX) ? dx : 0, (item.anchors & GrowY) ? dy : 0);
        item.widget->setGeometry(rect);
    }
}

}  // namespace qrv
