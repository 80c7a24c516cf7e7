#pragma once
// The main window's third page, «Журнал»: every completed Start and
// Measurement of the session as a row of a table, newest last. Selected rows
// copy as tab-separated text (Ctrl+C or «Копировать»), the whole journal
// saves as CSV, and clearing it asks first. Nothing is written to disk unless
// the student saves. The rows are the session's (bench/CLabSession.h); the
// page only shows them and follows their changes.

#include <QWidget>
#include <string>
#include <vector>

#include "bench/CJournal.h"
#include "bench/CLabSession.h"

class QPlainTextEdit;
class QSplitter;
class TTextTableView;

class QAction;
class QMenu;
class QPushButton;
class QTableView;
class TJournalModel;

class TJournalPage : public QWidget, private CLabSessionObserver {
    Q_OBJECT

  public:
    // Shows the journal of session, which must outlive the page.
    explicit TJournalPage(CLabSession& session, QWidget* parent = nullptr);
    ~TJournalPage() override;

    // Components; each object's name is the member's name.
    QTableView* JournalView;
    QPushButton* JournalCopyButton;
    QPushButton* JournalSaveButton;
    QPushButton* JournalClearButton;
    QMenu* JournalMenu; // the table's pop-up menu
    QAction* JournalCopy;
    QAction* JournalSave;
    QAction* JournalClear;
    QAction* JournalRemove; // removes the selected rows (Delete)
    // The results the journal gives (bench/CResults.h), renewed at every
    // change of the rows.
    TTextTableView* ResultsView;
    // «Выводы»: the student's conclusions, for the report.
    QPlainTextEdit* ConclusionsEdit;
    QSplitter* Parts; // journal, results and conclusions, one above the other

    const std::vector<CJournalRow>& Rows() const;
    const TJournalModel& Model() const { return *JournalModel; }

    // The selected rows, in table order, as tab-separated text with a heading
    // line on the clipboard; nothing when no row is selected.
    void CopySelection();
    // Asks for a file name (initially "Журнал.csv") and writes the journal.
    // Returns whether it was written (not after a cancel or a failure).
    bool SaveCsv();
    // Writes the whole journal as CSV; a failure is reported, naming the file,
    // and leaves no file. Returns whether the file was written.
    bool SaveCsv(const QString& fileName);
    // Empties the journal after the student has said yes.
    void ClearJournal();
    // Removes the selected rows.
    void RemoveSelection();

    // The time of day as rows show it: "14:03:27".
    static std::string Now();

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Changed() override;
    void UpdateResults();
    void UpdateActions();
    // The selected rows, in table order.
    std::vector<int> SelectedRows() const;
    // Fits the columns to their contents and shows the newest row, now if
    // the page is on show, else when it is next shown.
    void FitColumns();

    CLabSession& Session;
    TJournalModel* JournalModel;
    bool FitPending = true;
    bool ResultsPending = true;
};
