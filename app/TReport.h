#pragma once
// The lab report: one PDF a student hands in. A4 pages with the work's title
// and the date, the scheme of the bench as it is set up, the last run's two
// charts as the student left them, and the journal as a table continuing over
// pages with its heading repeated; every page numbered. Text stays text
// (selectable and searchable); the scheme is drawn as vector graphics and the
// charts are drawn afresh at print resolution. Where there was no run yet, or
// the journal is empty, the report says so in their place.

#include <QDateTime>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "bench/CJournal.h"

class QWidget;
class TDiagram;

// The charts are printed at this resolution, dots per inch.
constexpr int ReportImageDpi = 300;

struct TReportContent {
    QDateTime Made;                     // when the report was made
    CSchemeSwitches Scheme{};           // the scheme of the configuration set up now
    std::string Configuration;          // that configuration in one line (DescribeSetup)
    std::optional<CJournalRow> LastRun; // the run the charts show; none before the first
    TDiagram* Input = nullptr;          // the charts of that run, drawn as they are
    TDiagram* Output = nullptr;
    std::vector<CJournalRow> Rows; // the journal, oldest first
};

// The texts that stand in for what is missing.
extern const char* const ReportNoRunText;
extern const char* const ReportNoRowsText;

// Writes the report to fileName through a temporary file that takes the name
// only when complete; a failure is reported in a message naming the file and
// leaves no file. Returns whether the file was written.
bool WriteReport(const QString& fileName, const TReportContent& content);

// Asks for the file name (initially "Отчёт.pdf", PDF documents), then writes.
void SaveReport(QWidget* parent, const TReportContent& content);
