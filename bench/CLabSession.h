#pragma once
// The lab's record of one session, beneath every window: the journal's rows,
// the last run (what the charts show) and the outputs kept for comparison.
// Each fact has this one owner; the journal's table, the charts' references
// and the report only show what is here, so none of them can tell another
// story than the others.
//
// Plain code without a window: the table adapts it through an observer that
// hears of every change to the rows just before and just after it happens.

#include <optional>
#include <string>
#include <vector>

#include "bench/CBenchRun.h"
#include "bench/CJournal.h"

struct CMeasurement;

// Hears of the changes to a session's journal, in the order a table model
// needs them: first the "about to" call, then the change, then the call that
// says it is done.
class CLabSessionObserver {
  public:
    virtual ~CLabSessionObserver() = default;
    virtual void RowsAboutToBeAdded(int first, int last) = 0;
    virtual void RowsAdded() = 0;
    virtual void JournalAboutToBeCleared() = 0;
    virtual void JournalCleared() = 0;
};

// An output kept for comparison: the run's setup and its output samples,
// copied, because the next run overwrites the buffers the run referred to.
struct CKeptOutput {
    CBenchSetup Setup;
    std::vector<double> Output; // mV
    double ArgMin = 0.0;        // time of the first sample, ms
    double ArgMax = 0.0;        // time of the last sample, ms
    // Its look among the kept outputs, 0 .. MaxKeptOutputs-1: the first that
    // no other kept output had when it was kept, so that an output keeps its
    // colour while others come and go.
    int Slot = 0;
};

class CLabSession {
  public:
    // At most this many outputs are kept; keeping one more drops the oldest.
    static constexpr int MaxKeptOutputs = 5;

    // The observer hears of every change from now on (none: nobody is told).
    // It must outlive the session or be unset first.
    void SetObserver(CLabSessionObserver* observer) { Observer = observer; }

    // ---- the journal, oldest row first
    const std::vector<CJournalRow>& Rows() const { return JournalRows; }
    // A Start's run, made at time: becomes the last run and gets its row.
    // The run's samples must stay valid while it is the last run.
    void AddRun(const CBenchRun& run, const std::string& time);
    // A Measurement made at time, whose readout showed reading.
    void AddMeasurement(const CMeasurement& measurement, const std::string& reading,
                        const std::string& time);
    // Appends row as the newest.
    void AddRow(const CJournalRow& row);
    // Removes every row; the last run and the kept outputs stay, since the
    // charts still show them.
    void ClearJournal();

    // ---- the last run, none before the first Start
    const std::optional<CBenchRun>& LastRun() const { return Last; }
    // Its journal row, also after the journal has been cleared.
    const std::optional<CJournalRow>& LastRunRow() const { return LastRow; }

    // ---- outputs kept for comparison, oldest first
    const std::vector<CKeptOutput>& KeptOutputs() const { return Kept; }
    // Copies the last run's output; false, and nothing kept, before any run.
    bool KeepLastOutput();
    void ClearKeptOutputs() { Kept.clear(); }

  private:
    CLabSessionObserver* Observer = nullptr;
    std::vector<CJournalRow> JournalRows;
    std::optional<CBenchRun> Last;
    std::optional<CJournalRow> LastRow;
    std::vector<CKeptOutput> Kept;
};
