#pragma once
// The session's journal as a Qt table model: a thin adapter that shows the
// rows of a CLabSession (bench/CLabSession.h), which owns them; the cells are
// the journal's own texts (bench/CJournal.h), numbers right-aligned. It hears
// of every change from the session, so whatever changes the rows, the table
// follows.

#include <QAbstractTableModel>

#include "bench/CLabSession.h"

class TJournalModel : public QAbstractTableModel, private CLabSessionObserver {
    Q_OBJECT

  public:
    // Shows session, which must outlive the model.
    explicit TJournalModel(CLabSession& session, QObject* parent = nullptr);
    ~TJournalModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // The note column is the one the student may edit; the others are the
    // bench's record.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    CLabSession& Session() const { return LabSession; }

  private:
    void RowsAboutToBeAdded(int first, int last) override;
    void RowsAdded() override;
    void RowsAboutToBeRemoved(int first, int last) override;
    void RowsRemoved() override;
    void RowChanged(int row) override;
    void JournalAboutToBeCleared() override;
    void JournalCleared() override;

    CLabSession& LabSession;
};
