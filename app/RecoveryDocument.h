#pragma once
// What the recovery file holds: the session's work as JSON, and the reading
// of such a file, which trusts nothing in it.
//
//   { "format": "matched-filter-lab journal recovery", "version": 1,
//     "rows": [ { "time": "14:03:27", "run": true,
//                 "signal": 0, "noise": 1, "filter": 3,
//                 "values": [1, 100, 100, 50],          (by BenchParameter)
//                 "reading": "", "power": 0, "peak": { "value": 12.5, "time": 101 },
//                 "note": "" }, ... ],
//     "student": { "name": "", "group": "", "teacher": "" },
//     "conclusions": "" }
//
// Numbers are written in the shortest form that reads back as the same
// double. The version changes when a member changes its meaning; members
// may be added beside these, and a reader ignores those it does not know.

#include <QByteArray>
#include <QtGlobal>
#include <optional>
#include <vector>

#include "bench/CJournal.h"
#include "bench/CLabSession.h"

// The work a recovery file gives back.
struct CRecoveredWork {
    std::vector<CJournalRow> Rows; // oldest first
    CStudentInfo Student;
    std::string Conclusions;
    bool Empty() const { return Rows.empty() && Student.Empty() && Conclusions.empty(); }
};

// Far beyond any lab's journal (a row takes some 250 bytes), and small
// enough that a file that is not ours cannot make the start-up read for long.
constexpr qint64 MaxRecoveryFileSize = 32 * 1024 * 1024;
constexpr int MaxRecoveryRows = 100000;

// The session's work as the recovery file's content (UTF-8 JSON).
QByteArray RecoveryDocument(const CLabSession& session);
QByteArray RecoveryDocument(const std::vector<CJournalRow>& rows,
                            const CStudentInfo& student = {}, const std::string& conclusions = {});

// The work in data, or nothing when data is not a whole recovery document of
// this version: not JSON, truncated, another format or version, a member
// missing or of the wrong type, an item the lists lack, a value that is not
// finite or lies outside its field's range, a peak time outside the run,
// more than MaxRecoveryFileSize bytes or MaxRecoveryRows rows.
std::optional<CRecoveredWork> ReadRecoveryDocument(const QByteArray& data);
