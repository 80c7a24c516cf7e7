#pragma once
// The lab report: one PDF a student hands in. A4 pages with the work's title,
// who made it and for whom, the date and the aim of the work; the scheme of
// the bench; the last run's two charts as the student left them; the
// drawings of the filters used; the results the journal gives (output
// signal-to-noise ratio, efficiency, loss); the parameter study's chart and
// table when one was made; the journal as a table continuing over pages with
// its heading repeated; and the student's conclusions. Every page numbered.
// Text stays text (selectable and searchable); the scheme and the drawings
// are vector graphics and the charts are drawn afresh from data at print
// resolution. What is missing is said in its place.

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
    CStudentInfo Student;
    std::string Conclusions;
    std::optional<CStudyRecord> Study; // the latest parameter study
};

// The content of a report made now of session, with the charts' views.
TReportContent ReportContentOf(const CLabSession& session, const CBenchSetup& setup,
                               const TChartView& inputView, const TChartView& outputView);

// The texts that stand in for what is missing.
extern const char* const ReportNoRunText;
extern const char* const ReportNoRowsText;
extern const char* const ReportNoResultsText;
extern const char* const ReportNoConclusionsText;
// The aim of the work, as the report states it.
extern const char* const ReportAimText;

// The filter items a report draws: those of the journal's rows, the last
// run, the kept outputs and the study, in the filter list's order.
std::vector<int> FiltersUsed(const TReportContent& content);

// Writes the report to fileName through a temporary file that takes the name
// only when complete; a failure is reported in a message naming the file and
// leaves no file. Returns whether the file was written.
bool WriteReport(const QString& fileName, const TReportContent& content);

// Asks for the file name (initially "Отчёт.pdf", PDF documents), then
// writes. Returns whether the report was written.
bool SaveReport(QWidget* parent, const TReportContent& content);
