#pragma once

#include <QStyledItemDelegate>

namespace qrv {

// Paints a cell in its background colour even when its row is selected, so
// the colour stays visible under the row selection.
class ColorSwatchDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace qrv
