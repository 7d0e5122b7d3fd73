#include "app/automation/control_list_model.h"

#include <utility>

#include "core/automation/control_list_columns.h"

namespace qrv {

namespace {

const std::string& Cell(const ControlRow& row, int column) {
    switch (column) {
        case 0:
            return row.sr;
        case 1:
            return row.name;
        case 2:
            return row.value;
        default:
            return row.canSetValue;
    }
}

}  // namespace

void ControlListModel::SetRows(std::vector<ControlRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int ControlListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ControlListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(kControlListColumns.size());
}

QVariant ControlListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const std::string& text = Cell(m_rows[size_t(index.row())], index.column());
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QVariant ControlListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= columnCount()) {
        return {};
    }
    const std::string_view header = kControlListColumns[size_t(section)].header;
    return QString::fromUtf8(header.data(), qsizetype(header.size()));
}

}  // namespace qrv
