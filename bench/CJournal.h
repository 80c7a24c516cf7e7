#pragma once
// The lab's journal: one row per completed Start or Measurement, describing
// the configuration the bench actually used and what it showed, and the two
// text forms a student takes away -- tab-separated text for the clipboard and
// CSV for a file. Plain code: the window's table and the report only show
// these rows and texts.

#include <string>
#include <vector>

#include "base/TextTable.h"
#include "bench/BenchSetup.h"
#include "bench/CBenchRun.h"

struct CMeasurement;

struct CJournalRow {
    std::string Time;    // when the row was made, as the window shows it ("14:03:27")
    CBenchSetup Setup;   // the configuration the bench used
    bool Run = false;    // a Start; otherwise a Measurement
    std::string Reading; // a Measurement's readout exactly as shown ("12,34")
    double Power = 0.0;  // the value behind it, mV*mV, unrounded
    CRunPeak Peak;       // a Start's output peak
    std::string Note;    // what the student wrote beside the row (UTF-8), "" if nothing
};

// Whether a run's row says what row does: a Start of the same setup (every
// value exactly) with the same peak. Measurements never do, since each is an
// estimate of its own.
bool SameRunResult(const CJournalRow& a, const CJournalRow& b);

// The row of a run or of a measurement made at time, shown with reading (the
// registrar's text).
CJournalRow RunRow(const std::string& time, const CBenchRun& run);
CJournalRow MeasurementRow(const std::string& time, const CMeasurement& measurement,
                           const std::string& reading);

// ---------------------------------------------------------------- columns

enum JournalColumn {
    jcTime,
    jcSignal,
    jcNoise,
    jcGain,
    jcFilter,
    jcParameter, // "τ = 100 мс", "fc = 50 Гц", "—" for a filter without one
    jcReading,   // empty for a Start
    jcPeak,      // mV with two decimals; empty for a Measurement
    jcPeakTime,  // ms; empty for a Measurement
    jcNote,      // the student's note
};
constexpr int JournalColumnCount = 10;

// The column's heading (UTF-8); an empty text for a column the table lacks.
const char* JournalColumnName(int column);
// Whether the column holds numbers, which the table aligns to the right.
bool JournalColumnIsNumber(int column);
// The cell's text, numbers with a decimal comma (UTF-8).
std::string JournalCell(const CJournalRow& row, int column);

// ---------------------------------------------------------------- texts

// The journal as a table of texts: the headings, then one line per row; and
// which of its columns hold numbers.
TTextTable JournalTable(const std::vector<CJournalRow>& rows);
std::vector<bool> JournalNumberColumns();

// Tab-separated text with a heading line, one line per row, each ended by
// "\n": what a spreadsheet pastes as cells. Tabs and line breaks within a
// cell become spaces, so that they cannot split it.
std::string JournalTsv(const std::vector<CJournalRow>& rows);

// CSV as Russian spreadsheets read it without questions: UTF-8 with a byte
// order mark, a heading line, ';' between fields (the comma is the decimal
// mark), lines ended by "\r\n". A field holding ';', '"' or a line break is
// put in double quotes, its quotes doubled.
std::string JournalCsv(const std::vector<CJournalRow>& rows);
