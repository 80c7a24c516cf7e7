#pragma once
// A chart's data as CSV that a Russian spreadsheet opens as columns, as the
// journal's CSV does (base/CsvDialect.h): a heading line, then one line per
// sample of the visible argument range, the argument first; every number
// with a decimal comma and the digits of printf's "%.17g" (base/CsvNumber.h),
// so that it reads back as the same double.

#include <QString>
#include <string>

class QWidget;
class TDiagram;

// Whether the chart shows any series with stored samples.
bool HasChartData(TDiagram& chart);

// The CSV text of chart: the samples of its first visible series with stored
// samples whose arguments lie within the chart's argument range (both ends
// included), each line with the other such series' samples at the same
// argument, and an empty cell where one has none. Only the heading when
// there is no such series.
//
// The argument's column is named as the X axis ("t, мс"), a series' column by
// its text in the legend followed by the unit that the Y axis name gives
// after its last comma ("…, мВ"); a series the legend does not name has the Y
// axis name itself ("sвых(t), мВ").
std::string ChartCsv(TDiagram& chart);

// Asks for a file name (initially "Диаграмма.csv"), asks before replacing an
// existing file, then writes the chart's CSV. Returns whether a file was
// written.
bool SaveChartCsv(TDiagram& chart, QWidget* parent);
