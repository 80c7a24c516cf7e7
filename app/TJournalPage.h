#pragma once
// The main window's third page, «Журнал»: every completed Start and
// Measurement of the session as a row of a table, newest last. Selected rows
// copy as tab-separated text (Ctrl+C or «Копировать»), the whole journal
// saves as CSV, and clearing it asks first. Nothing is written to disk unless
// the student saves; the journal lives as long as the window.

#include <QWidget>
#include <optional>
#include <vector>

#include "bench/CJournal.h"

class QAction;
class QMenu;
class QPushButton;
class QTableView;
class TJournalModel;

class TJournalPage : public QWidget {
    Q_OBJECT

  public:
    explicit TJournalPage(QWidget* parent = nullptr);

    // Components; each object's name is the member's name.
    QTableView* JournalView;
    QPushButton* JournalCopyButton;
    QPushButton* JournalSaveButton;
    QPushButton* JournalClearButton;
    QMenu* JournalMenu; // the table's pop-up menu
    QAction* JournalCopy;
    QAction* JournalSave;
    QAction* JournalClear;

    // A row made now for a Start whose output is outputSamples (RunSamples
    // values), or for a Measurement whose readout shows reading; setup is the
    // configuration the bench used.
    void AddRun(const CBenchSetup& setup, const double* outputSamples);
    void AddMeasurement(const CBenchSetup& setup, const QString& reading);
    // Appends row as the newest and scrolls to it.
    void Add(const CJournalRow& row);

    const std::vector<CJournalRow>& Rows() const;
    const TJournalModel& Model() const { return *JournalModel; }
    // The row of the session's last Start, kept when the journal is cleared
    // (the charts still show that run); none before the first.
    const std::optional<CJournalRow>& LastRun() const { return LastRunRow; }

    // The selected rows, in table order, as tab-separated text with a heading
    // line on the clipboard; nothing when no row is selected.
    void CopySelection();
    // Asks for a file name (initially "Журнал.csv") and writes the journal.
    void SaveCsv();
    // Writes the whole journal as CSV; a failure is reported, naming the file,
    // and leaves no file. Returns whether the file was written.
    bool SaveCsv(const QString& fileName);
    // Empties the journal after the student has said yes.
    void ClearJournal();

    // The time of day as rows show it: "14:03:27".
    static std::string Now();

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void UpdateActions();
    // Fits the columns to their contents and shows the newest row, now if
    // the page is on show, else when it is next shown.
    void FitColumns();

    TJournalModel* JournalModel;
    std::optional<CJournalRow> LastRunRow;
    bool FitPending = true;
};
