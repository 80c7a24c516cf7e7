#pragma once
// The lab's record of one session, beneath every window: the journal's rows
// with the student's notes, the last run (what the charts show) and the
// outputs kept for comparison. Each fact has this one owner; the journal's
// table, the charts' references, the report and the recovery file only show
// or copy what is here, so none of them can tell another story than the
// others.
//
// Plain code without a window: the table adapts it through an observer that
// hears of every change to the rows just before and just after it happens.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bench/CBenchRun.h"
#include "bench/CBenchStudy.h"
#include "bench/CJournal.h"

struct CMeasurement;

// Hears of the changes to a session, in the order a table model needs them:
// first the "about to" call, then the change, then the call that says it is
// done; Changed comes last, after any change to what the session would save.
class CLabSessionObserver {
  public:
    virtual ~CLabSessionObserver() = default;
    virtual void RowsAboutToBeAdded(int /*first*/, int /*last*/) {}
    virtual void RowsAdded() {}
    virtual void RowsAboutToBeRemoved(int /*first*/, int /*last*/) {}
    virtual void RowsRemoved() {}
    virtual void RowChanged(int /*row*/) {}
    virtual void JournalAboutToBeCleared() {}
    virtual void JournalCleared() {}
    virtual void Changed() {}
    // A new study has taken the place of the last.
    virtual void StudyChanged() {}
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

// Who hands the report in, and to whom (UTF-8).
struct CStudentInfo {
    std::string Name;
    std::string Group;
    std::string Teacher;
    bool Empty() const { return Name.empty() && Group.empty() && Teacher.empty(); }
};
inline bool operator==(const CStudentInfo& a, const CStudentInfo& b) {
    return a.Name == b.Name && a.Group == b.Group && a.Teacher == b.Teacher;
}

class CLabSession {
  public:
    // At most this many outputs are kept; keeping one more drops the oldest.
    static constexpr int MaxKeptOutputs = 5;

    // observer hears of every change from now on, until it is removed; it
    // must be removed before it goes.
    void AddObserver(CLabSessionObserver* observer);
    void RemoveObserver(CLabSessionObserver* observer);

    // ---- the journal, oldest row first
    const std::vector<CJournalRow>& Rows() const { return JournalRows; }
    // A Start's run, made at time: becomes the last run and gets its row,
    // unless it says exactly what the newest row says -- a run without noise
    // of the same setup with the same peak, as when a menu choice re-ran the
    // charts and the student then pressed «Пуск» -- in which case that row
    // only takes the new time. A run with noise always gets its own row: its
    // noise is new. The run's samples must stay valid while it is the last run.
    void AddRun(const CBenchRun& run, const std::string& time);
    // A Measurement made at time, whose readout showed reading.
    void AddMeasurement(const CMeasurement& measurement, const std::string& reading,
                        const std::string& time);
    // Appends row as the newest.
    void AddRow(const CJournalRow& row);
    // Appends rows, oldest first, as restored from an earlier session.
    void AddRows(const std::vector<CJournalRow>& rows);
    // Removes the rows of these indices (any order, repeats and indices the
    // journal lacks ignored).
    void RemoveRows(std::vector<int> rows);
    // The student's note on row (UTF-8); nothing for a row the journal lacks.
    void SetNote(int row, const std::string& note);
    // Removes every row; the last run and the kept outputs stay, since the
    // charts still show them.
    void ClearJournal();

    // ---- what the student wrote for the report
    const CStudentInfo& Student() const { return StudentInfo; }
    void SetStudent(const CStudentInfo& student);
    // The conclusions, as typed (UTF-8).
    const std::string& Conclusions() const { return ConclusionsText; }
    void SetConclusions(const std::string& text);

    // ---- the latest parameter study, none before the first
    const std::optional<CStudyRecord>& Study() const { return LastStudy; }
    void SetStudy(const CStudyRecord& study);

    // ---- the noise
    // Whether every run and measurement starts the noise generator from
    // NoiseSeed(), so that filters compared see the same noise.
    bool RepeatsNoise() const { return RepeatNoise; }
    void SetRepeatsNoise(bool on) { RepeatNoise = on; }
    // One seed for the whole session.
    std::uint32_t NoiseSeed() const { return Seed; }
    void SetNoiseSeed(std::uint32_t seed) { Seed = seed; }

    // ---- what the student would lose
    // Whether the session holds anything a file would keep: a journal row,
    // the conclusions or the student's name.
    bool HoldsWork() const {
        return !JournalRows.empty() || !ConclusionsText.empty() || !StudentInfo.Empty();
    }
    // Whether any of that has changed since it was last saved (the journal
    // as CSV, or all of it in a report) and there is something to save.
    bool HasUnsavedWork() const { return Unsaved && HoldsWork(); }
    // The journal as it is now has been saved.
    void MarkSaved() { Unsaved = false; }
    // The journal holds work no file has, e.g. rows restored after a crash.
    void MarkUnsaved();

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
    template <class Call> void Tell(Call call) {
        for (CLabSessionObserver* o : Observers) {
            call(*o);
        }
    }
    void Change();

    std::vector<CLabSessionObserver*> Observers;
    std::vector<CJournalRow> JournalRows;
    bool Unsaved = false;
    std::optional<CBenchRun> Last;
    std::optional<CJournalRow> LastRow;
    std::vector<CKeptOutput> Kept;
    CStudentInfo StudentInfo;
    std::string ConclusionsText;
    std::optional<CStudyRecord> LastStudy;
    bool RepeatNoise = false;
    std::uint32_t Seed = 1;
};
