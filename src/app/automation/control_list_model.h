#pragma once

#include <vector>

#include <QAbstractTableModel>

#include "core/automation/control_row.h"

namespace qrv {

// The control list's rows as a table of "Sr", "Name", "Value" and
// "Can Set Value".
class ControlListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    using QAbstractTableModel::QAbstractTableModel;

    // Replaces all rows (a reset, so views drop their selection).
    void SetRows(std::vector<ControlRow> rows);
    const std::vector<ControlRow>& Rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    std::vector<ControlRow> m_rows;
};

}  // namespace qrv
