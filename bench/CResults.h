#pragma once
// The lab's results as the journal gives them: what a student who worked by
// hand would pair up row by row. For every filter, parameter and signal that
// the journal has a noise-free run of, that run's peak U; as soon as the
// journal also holds a measurement of the same filter with the same
// parameter, its noise power P and the figures they make (bench/
// SignalToNoise.h: q = U^2 / P at one filter gain, the efficiency against the
// ideal matched filter and the loss in dB). The latest run and the latest
// measurement of each count.
//
// The texts of the figures, here and in the study's table, are written the
// one way the tables and the report show them.

#include <optional>
#include <string>
#include <vector>

#include "base/TextTable.h"
#include "bench/CJournal.h"
#include "bench/SignalToNoise.h"

struct CResultRow {
    CBenchSetup Run;        // the latest noise-free run of the group, as applied
    double Peak = 0.0;      // U: its output peak's magnitude, mV
    std::string RunTime;    // its row's time
    std::optional<CBenchSetup> Measurement; // the latest measurement of its filter and parameter
    double Power = 0.0;     // P as measured, at the measurement's gain, mV*mV
    std::string MeasurementTime;
    CSnrFigures Figures;    // no value before both rows exist
};

// The results of rows, in the order their groups first appear (by their run).
// Only noise-free runs of a pulse give U; only measurements of noise alone
// give P. Rows of an unknown filter, or of a parameter outside its field's
// range, are left out.
std::vector<CResultRow> JournalResults(const std::vector<CJournalRow>& rows);

// ---------------------------------------------------------------- table

enum ResultColumn {
    rcFilter,
    rcParameter, // "τ = 80 мс", "—"
    rcSignal,
    rcPeak,        // U, mV
    rcGain,        // K of the measurement
    rcPower,       // P, mV*mV
    rcRatio,       // q
    rcEfficiency,  // eta
    rcLoss,        // dB
};
constexpr int ResultColumnCount = 9;

// Headings (UTF-8), numbers' columns, and the cells' texts, "—" where a
// figure has no value yet.
const char* ResultColumnName(int column);
bool ResultColumnIsNumber(int column);
std::string ResultCell(const CResultRow& row, int column);

// The results as a table of texts, which of its columns hold numbers, and
// the table as tab-separated text and as the journal's CSV dialect.
TTextTable ResultsTable(const std::vector<CResultRow>& rows);
std::vector<bool> ResultNumberColumns();
std::string ResultsTsv(const std::vector<CResultRow>& rows);
std::string ResultsCsv(const std::vector<CResultRow>& rows);

// ---------------------------------------------------------------- figures as text

// How the tables write a figure; "—" for one without a value.
std::string PeakText(std::optional<double> peak);             // "96,14" (mV, 2 decimals)
std::string PowerText(std::optional<double> power);           // "12,34", "0,01234" (4 digits)
std::string RatioText(std::optional<double> ratio);           // "9901", "15,3" (4 digits)
std::string EfficiencyText(std::optional<double> efficiency); // "0,815" (3 decimals)
std::string LossText(std::optional<double> lossDb);           // "0,89" (dB, 2 decimals)
