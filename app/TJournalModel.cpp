#include "app/TJournalModel.h"

#include <QRegularExpression>

TJournalModel::TJournalModel(CLabSession& session, QObject* parent)
    : QAbstractTableModel(parent), LabSession(session) {
    LabSession.AddObserver(this);
}

TJournalModel::~TJournalModel() {
    LabSession.RemoveObserver(this);
}

int TJournalModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(LabSession.Rows().size());
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
    case Qt::EditRole:
    case Qt::ToolTipRole:
        return QString::fromStdString(
            JournalCell(LabSession.Rows()[static_cast<std::size_t>(index.row())], index.column()));
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

Qt::ItemFlags TJournalModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == jcNote) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

bool TJournalModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != jcNote || role != Qt::EditRole ||
        index.row() >= rowCount()) {
        return false;
    }
    // One line of text: a line break would split the row in the copies.
    QString note = value.toString();
    note.replace(QRegularExpression(QStringLiteral("[\\r\\n\\t]+")), QStringLiteral(" "));
    LabSession.SetNote(index.row(), note.trimmed().toStdString());
    return true;
}

void TJournalModel::RowsAboutToBeAdded(int first, int last) {
    beginInsertRows(QModelIndex(), first, last);
}

void TJournalModel::RowsAdded() {
    endInsertRows();
}

void TJournalModel::RowsAboutToBeRemoved(int first, int last) {
    beginRemoveRows(QModelIndex(), first, last);
}

void TJournalModel::RowsRemoved() {
    endRemoveRows();
}

void TJournalModel::RowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, JournalColumnCount - 1));
}

void TJournalModel::JournalAboutToBeCleared() {
    beginResetModel();
}

void TJournalModel::JournalCleared() {
    endResetModel();
}
