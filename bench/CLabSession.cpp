#include "bench/CLabSession.h"

#include <algorithm>

#include "bench/CBench.h"

void CLabSession::AddObserver(CLabSessionObserver* observer) {
    if (observer && std::find(Observers.begin(), Observers.end(), observer) == Observers.end()) {
        Observers.push_back(observer);
    }
}

void CLabSession::RemoveObserver(CLabSessionObserver* observer) {
    Observers.erase(std::remove(Observers.begin(), Observers.end(), observer), Observers.end());
}

void CLabSession::Change() {
    Unsaved = true;
    Tell([](CLabSessionObserver& o) { o.Changed(); });
}

void CLabSession::MarkUnsaved() {
    Unsaved = true;
}

void CLabSession::AddRun(const CBenchRun& run, const std::string& time) {
    Last = run;
    LastRow = RunRow(time, run);
    if (!NoiseAddedForItem(run.Setup.NoiseItem) && !JournalRows.empty() &&
        SameRunResult(JournalRows.back(), *LastRow)) {
        const int newest = static_cast<int>(JournalRows.size()) - 1;
        JournalRows.back().Time = time;
        Tell([newest](CLabSessionObserver& o) { o.RowChanged(newest); });
        Change();
        return;
    }
    AddRow(*LastRow);
}

void CLabSession::AddMeasurement(const CMeasurement& measurement, const std::string& reading,
                                 const std::string& time) {
    AddRow(MeasurementRow(time, measurement, reading));
}

void CLabSession::AddRow(const CJournalRow& row) {
    AddRows({row});
}

void CLabSession::AddRows(const std::vector<CJournalRow>& rows) {
    if (rows.empty()) {
        return;
    }
    const int first = static_cast<int>(JournalRows.size());
    const int last = first + static_cast<int>(rows.size()) - 1;
    Tell([first, last](CLabSessionObserver& o) { o.RowsAboutToBeAdded(first, last); });
    JournalRows.insert(JournalRows.end(), rows.begin(), rows.end());
    Tell([](CLabSessionObserver& o) { o.RowsAdded(); });
    Change();
}

void CLabSession::RemoveRows(std::vector<int> rows) {
    const int count = static_cast<int>(JournalRows.size());
    rows.erase(std::remove_if(rows.begin(), rows.end(), [count](int r) { return r < 0 || r >= count; }),
               rows.end());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty()) {
        return;
    }
    // From the end, a run of neighbouring rows at a time, so that the indices
    // still to go stay valid and a table hears of as few changes as can be.
    std::size_t end = rows.size();
    while (end > 0) {
        std::size_t begin = end - 1;
        while (begin > 0 && rows[begin - 1] == rows[begin] - 1) {
            --begin;
        }
        const int first = rows[begin];
        const int last = rows[end - 1];
        Tell([first, last](CLabSessionObserver& o) { o.RowsAboutToBeRemoved(first, last); });
        JournalRows.erase(JournalRows.begin() + first, JournalRows.begin() + last + 1);
        Tell([](CLabSessionObserver& o) { o.RowsRemoved(); });
        end = begin;
    }
    Change();
}

void CLabSession::SetNote(int row, const std::string& note) {
    if (row < 0 || row >= static_cast<int>(JournalRows.size()) ||
        JournalRows[static_cast<std::size_t>(row)].Note == note) {
        return;
    }
    JournalRows[static_cast<std::size_t>(row)].Note = note;
    Tell([row](CLabSessionObserver& o) { o.RowChanged(row); });
    Change();
}

void CLabSession::ClearJournal() {
    Tell([](CLabSessionObserver& o) { o.JournalAboutToBeCleared(); });
    JournalRows.clear();
    Tell([](CLabSessionObserver& o) { o.JournalCleared(); });
    Change();
}

void CLabSession::SetStudent(const CStudentInfo& student) {
    if (!(student == StudentInfo)) {
        StudentInfo = student;
        Change();
    }
}

void CLabSession::SetConclusions(const std::string& text) {
    if (text != ConclusionsText) {
        ConclusionsText = text;
        Change();
    }
}

void CLabSession::SetStudy(const CStudyRecord& study) {
    LastStudy = study;
    Tell([](CLabSessionObserver& o) { o.StudyChanged(); });
}

bool CLabSession::KeepLastOutput() {
    if (!Last || Last->Output == nullptr || Last->Count <= 0) {
        return false;
    }
    CKeptOutput kept;
    kept.Setup = Last->Setup;
    kept.Output.assign(Last->Output, Last->Output + Last->Count);
    kept.ArgMin = Last->ArgMin;
    kept.ArgMax = Last->ArgMax;
    if (static_cast<int>(Kept.size()) >= MaxKeptOutputs) {
        Kept.erase(Kept.begin());
    }
    const auto taken = [this](int slot) {
        return std::any_of(Kept.begin(), Kept.end(),
                           [slot](const CKeptOutput& k) { return k.Slot == slot; });
    };
    while (taken(kept.Slot)) {
        ++kept.Slot;
    }
    Kept.push_back(std::move(kept));
    return true;
}
