#include "app/colours/color_list_model.h"

#include <QColor>

#include "core/colours/color_columns.h"
#include "core/colours/color_list.h"

namespace qrv {

namespace {

constexpr int kNumberColumn = 0;
constexpr int kRedColumn = 2;
constexpr int kGreenColumn = 3;

QVariant CellText(const ColorRow& row, int column) {
    switch (column) {
        case kNumberColumn:
            return QString::number(row.number);
        case kColorSwatchColumn:
            return {};
        case kRedColumn:
            return QString::number(row.Red());
        case kGreenColumn:
            return QString::number(row.Green());
        default:
            return QString::number(row.Blue());
    }
}

Qt::Alignment ColumnAlignmentFlags(int column) {
    const auto horizontal = kColorColumns[std::size_t(column)].alignment == ColumnAlignment::Left
                                ? Qt::AlignLeft
                                : Qt::AlignHCenter;
    return horizontal | Qt::AlignVCenter;
}

}  // namespace

ColorListModel::ColorListModel(ColorList& list, QObject* parent)
    : QAbstractTableModel(parent), m_list(list) {}

int ColorListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_list.RowCount());
}

int ColorListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(kColorColumns.size());
}

QVariant ColorListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || std::size_t(index.row()) >= m_list.RowCount()) {
        return {};
    }
    const ColorRow row = m_list.Row(std::size_t(index.row()));
    switch (role) {
        case Qt::DisplayRole:
            return CellText(row, index.column());
        case Qt::BackgroundRole:
            if (index.column() == kColorSwatchColumn) {
                return QColor(int(row.Red()), int(row.Green()), int(row.Blue()));
            }
            return {};
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(ColumnAlignmentFlags(index.column()));
        case kPackedColorRole:
            return row.colour;
        default:
            return {};
    }
}

QVariant ColorListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
        return {};
    }
    const ColorColumn& column = kColorColumns[std::size_t(section)];
    if (role == Qt::DisplayRole) {
        return QString::fromUtf8(column.title.data(), qsizetype(column.title.size()));
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(ColumnAlignmentFlags(section));
    }
    return {};
}

void ColorListModel::Rebuild() {
    beginResetModel();
    endResetModel();
}

}  // namespace qrv
