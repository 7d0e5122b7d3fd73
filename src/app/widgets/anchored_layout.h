#pragma once

#include <memory>
#include <vector>

#include <QLayout>
#include <QRect>
#include <QSize>

namespace qrv {

// Places widgets at fixed rectangles laid out for a base size of the parent,
// and lets each follow the parent's right or bottom edge, or stretch with it,
// by the whole difference between the parent's size and the base size.
//
//     auto* layout = new AnchoredLayout(du.Size(361, 305), this);
//     layout->Add(list, du.Rect(0, 0, 361, 261), AnchoredLayout::GrowX | AnchoredLayout::GrowY);
class AnchoredLayout : public QLayout {
  public:
    enum Anchor { Fixed = 0, MoveX = 1, MoveY = 2, GrowX = 4, GrowY = 8 };

    AnchoredLayout(const QSize& base, QWidget* parent);
    ~AnchoredLayout() override;

    // Puts the widget at `rect` now and follows the parent's size from then on.
    void Add(QWidget* widget, const QRect& rect, int anchors);

    // Items added the QLayout way stay where they are.
    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

  private:
    struct Item {
        std::unique_ptr<QLayoutItem> item;
        QRect rect;
        int anchors;
    };

    std::vector<Item> m_items;
    QSize m_base;
};

}  // namespace qrv
