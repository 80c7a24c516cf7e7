#pragma once
// The lab's journal: one row per completed Start or Measurement, describing
// the configuration the bench actually used and what it showed, and the two
// text forms a student takes away -- tab-separated text for the clipboard and
// CSV for a file. Plain code: the window's table and the report only show
// these rows and texts.

#include <string>
#include <vector>

#include "bench/BenchSetup.h"

class CBench;
struct CBenchControls;

// The largest excursion of a run's output in its main part (t >= 0): the
// sample of largest magnitude, signed, and when it came. The pre-roll is left
// out because it is the filter settling on noise before the pulse starts;
// among equal magnitudes the earliest sample counts.
struct CRunPeak {
    double Value = 0.0; // mV
    int Time = 0;       // ms from the start of the main part, 0 .. RunLength-1
};

// outputSamples: a run's RunSamples output samples (OutputSamples after
// CBench::ComputeRun).
CRunPeak FindRunPeak(const double* outputSamples);

struct CJournalRow {
    std::string Time;    // when the row was made, as the window shows it ("14:03:27")
    CBenchSetup Setup;   // the configuration the bench used
    bool Run = false;    // a Start; otherwise a Measurement
    std::string Reading; // a Measurement's readout exactly as shown ("12,34")
    CRunPeak Peak;       // a Start's output peak
};

// The configuration a run or measurement with controls has just used: the
// controls' three choices, and every value as the bench now holds it
// (CBench::ParameterValue), so that a value the low-pass design corrected is
// journalled as corrected. The controls' fields are not read again.
CBenchSetup AppliedSetup(const CBench& bench, const CBenchControls& controls);

CJournalRow RunRow(const std::string& time, const CBenchSetup& setup, const double* outputSamples);
CJournalRow MeasurementRow(const std::string& time, const CBenchSetup& setup,
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
};
constexpr int JournalColumnCount = 9;

// The column's heading (UTF-8); an empty text for a column the table lacks.
const char* JournalColumnName(int column);
// Whether the column holds numbers, which the table aligns to the right.
bool JournalColumnIsNumber(int column);
// The cell's text, numbers with a decimal comma (UTF-8).
std::string JournalCell(const CJournalRow& row, int column);

// ---------------------------------------------------------------- texts

// Tab-separated text with a heading line, one line per row, each ended by
// "\n": what a spreadsheet pastes as cells. Tabs and line breaks within a
// cell become spaces, so that they cannot split it.
std::string JournalTsv(const std::vector<CJournalRow>& rows);

// CSV as Russian spreadsheets read it without questions: UTF-8 with a byte
// order mark, a heading line, ';' between fields (the comma is the decimal
// mark), lines ended by "\r\n". A field holding ';', '"' or a line break is
// put in double quotes, its quotes doubled.
std::string JournalCsv(const std::vector<CJournalRow>& rows);
