#pragma once

#include <QAbstractTableModel>

namespace qrv {

class ColorList;

// The colour list as a table: row number, a cell painted in the colour, and
// its red, green and blue values. Rows are computed on demand from the list,
// so a million colours cost no more than the list itself.
class ColorListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    // The packed colour 0x00BBGGRR of a row, in every column.
    static constexpr int kPackedColorRole = Qt::UserRole;

    explicit ColorListModel(ColorList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The list changed: every row is read again.
    void Rebuild();

  private:
    ColorList& m_list;
};

}  // namespace qrv
