#pragma once
// The journal's rows as a Qt table model: the cells are the journal's own
// texts (bench/CJournal.h), numbers right-aligned; rows are only added at the
// end or cleared all at once.

#include <QAbstractTableModel>
#include <vector>

#include "bench/CJournal.h"

class TJournalModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit TJournalModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Appends row as the newest, last.
    void Append(const CJournalRow& row);
    void Clear();
    const std::vector<CJournalRow>& Rows() const { return JournalRows; }

  private:
    std::vector<CJournalRow> JournalRows;
};
