#include "app/TJournalModel.h"

TJournalModel::TJournalModel(QObject* parent) : QAbstractTableModel(parent) {}

int TJournalModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(JournalRows.size());
}

int TJournalModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : JournalColumnCount;
}

QVariant TJournalModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= JournalColumnCount) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(JournalCell(JournalRows[index.row()], index.column()));
    case Qt::TextAlignmentRole:
        return static_cast<int>(
            Qt::AlignVCenter |
            (JournalColumnIsNumber(index.column()) ? Qt::AlignRight : Qt::AlignLeft));
    default:
        return {};
    }
}

QVariant TJournalModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        // The unit goes on a line of its own, so that a heading is no wider
        // than the numbers beneath it.
        return QString::fromUtf8(JournalColumnName(section))
            .replace(QStringLiteral(", "), QStringLiteral(",\n"));
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

void TJournalModel::Append(const CJournalRow& row) {
    const int at = rowCount();
    beginInsertRows(QModelIndex(), at, at);
    JournalRows.push_back(row);
    endInsertRows();
}

void TJournalModel::Clear() {
    beginResetModel();
    JournalRows.clear();
    endResetModel();
}
