#pragma once
// The lab report: one PDF a student hands in. A4 pages with the work's title
// and the date, the scheme of the bench as it is set up, the last run's two
// charts as the student left them, and the journal as a table continuing over
// pages with its heading repeated; every page numbered. Text stays text
// (selectable and searchable); the scheme is drawn as vector graphics and the
// charts are drawn afresh from the run's data at print resolution. Where there
// was no run yet, or the journal is empty, the report says so in their place.

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "app/RunCharts.h"
#include "bench/CLabSession.h"

class QWidget;

// The charts are printed at this resolution, dots per inch.
constexpr int ReportImageDpi = 300;

// What a report holds, gathered from the session (and, for the charts' time
// and value ranges, from the charts as the student left them).
struct TReportContent {
    QDateTime Made;    // when the report was made
    CBenchSetup Setup; // the configuration set up now, which the scheme shows
    // The run the charts show, with its row; none before the first. Its
    // samples stay valid while the report is written.
    std::optional<CBenchRun> LastRun;
    std::optional<CJournalRow> LastRunRow;
    std::vector<CKeptOutput> Kept; // shown with the output, oldest first
    TChartView InputView{}, OutputView{};
    std::vector<CJournalRow> Rows; // the journal, oldest first
};

// The content of a report made now of session, with the charts' views.
TReportContent ReportContentOf(const CLabSession& session, const CBenchSetup& setup,
                               const TChartView& inputView, const TChartView& outputView);

// The texts that stand in for what is missing.
extern const char* const ReportNoRunText;
extern const char* const ReportNoRowsText;

// Writes the report to fileName through a temporary file that takes the name
// only when complete; a failure is reported in a message naming the file and
// leaves no file. Returns whether the file was written.
bool WriteReport(const QString& fileName, const TReportContent& content);

// Asks for the file name (initially "Отчёт.pdf", PDF documents), then
// writes. Returns whether the report was written.
bool SaveReport(QWidget* parent, const TReportContent& content);
