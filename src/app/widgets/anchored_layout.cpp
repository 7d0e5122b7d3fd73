#include "app/widgets/anchored_layout.h"

#include <QWidget>
#include <QWidgetItem>

namespace qrv {

AnchoredLayout::AnchoredLayout(const QSize& base, QWidget* parent) : QLayout(parent), m_base(base) {
    setContentsMargins(0, 0, 0, 0);
    setSizeConstraint(QLayout::SetNoConstraint);
}

AnchoredLayout::~AnchoredLayout() = default;

void AnchoredLayout::Add(QWidget* widget, const QRect& rect, int anchors) {
    addChildWidget(widget);
    widget->setGeometry(rect);
    m_items.push_back({std::make_unique<QWidgetItem>(widget), rect, anchors});
    invalidate();
}

void AnchoredLayout::addItem(QLayoutItem* item) {
    m_items.push_back({std::unique_ptr<QLayoutItem>(item), item->geometry(), Fixed});
    invalidate();
}

QLayoutItem* AnchoredLayout::itemAt(int index) const {
    return index >= 0 && size_t(index) < m_items.size() ? m_items[size_t(index)].item.get()
                                                        : nullptr;
}

QLayoutItem* AnchoredLayout::takeAt(int index) {
    if (index < 0 || size_t(index) >= m_items.size()) {
        return nullptr;
    }
    QLayoutItem* item = m_items[size_t(index)].item.release();
    m_items.erase(m_items.begin() + index);
    invalidate();
    return item;
}

int AnchoredLayout::count() const {
    return int(m_items.size());
}

QSize AnchoredLayout::sizeHint() const {
    return m_base;
}

QSize AnchoredLayout::minimumSize() const {
    return m_base;
}

void AnchoredLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const int dx = rect.width() - m_base.width();
    const int dy = rect.height() - m_base.height();
    for (const Item& item : m_items) {
        QRect placed = item.rect.translated(rect.topLeft());
        placed.translate((item.anchors & MoveX) ? dx : 0, (item.anchors & MoveY) ? dy : 0);
        placed.adjust(0, 0, (item.anchors & GrowX) ? dx : 0, (item.anchors & GrowY) ? dy : 0);
        // Widgets go exactly there, whatever their size hints say.
        if (QWidget* widget = item.item->widget()) {
            widget->setGeometry(placed);
        } else {
            item.item->setGeometry(placed);
        }
    }
}

}  // namespace qrv
