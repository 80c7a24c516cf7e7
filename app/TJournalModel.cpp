#include "app/TJournalModel.h"

TJournalModel::TJournalModel(CLabSession& session, QObject* parent)
    : QAbstractTableModel(parent), LabSession(session) {
    LabSession.SetObserver(this);
}

TJournalModel::~TJournalModel() {
    LabSession.SetObserver(nullptr);
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

void TJournalModel::RowsAboutToBeAdded(int first, int last) {
    beginInsertRows(QModelIndex(), first, last);
}

void TJournalModel::RowsAdded() {
    endInsertRows();
}

void TJournalModel::JournalAboutToBeCleared() {
    beginResetModel();
}

void TJournalModel::JournalCleared() {
    endResetModel();
}
