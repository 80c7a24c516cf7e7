#include "bench/CLabSession.h"

#include <algorithm>

#include "bench/CBench.h"

void CLabSession::AddRun(const CBenchRun& run, const std::string& time) {
    Last = run;
    LastRow = RunRow(time, run);
    AddRow(*LastRow);
}

void CLabSession::AddMeasurement(const CMeasurement& measurement, const std::string& reading,
                                 const std::string& time) {
    AddRow(MeasurementRow(time, measurement, reading));
}

void CLabSession::AddRow(const CJournalRow& row) {
    const int at = static_cast<int>(JournalRows.size());
    if (Observer) {
        Observer->RowsAboutToBeAdded(at, at);
    }
    JournalRows.push_back(row);
    if (Observer) {
        Observer->RowsAdded();
    }
}

void CLabSession::ClearJournal() {
    if (Observer) {
        Observer->JournalAboutToBeCleared();
    }
    JournalRows.clear();
    if (Observer) {
        Observer->JournalCleared();
    }
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
