#pragma once
// A chart's data as CSV, in the form the command-line bench writes a run: a
// header line of column names, then one line per sample of the visible
// argument range, the argument first, every value as printf's "%.17g" would
// write it (base/CsvNumber.h), so that it reads back as the same double.

#include <QString>
#include <string>

class QWidget;
class TDiagram;

// Names of the columns. The first visible series with stored samples is the
// value column; every following one (the references of the bench's output)
// is "ref1", "ref2", ... with "_" and the unit appended when there is one.
struct TCsvColumns {
    std::string argument = "x";
    std::string value = "y";
    std::string unit;
};

// Whether the chart shows any series with stored samples.
bool HasChartData(TDiagram& chart);

// The CSV text of chart: the samples of its first visible series with stored
// samples whose arguments lie within the chart's argument range (both ends
// included), each line with the other series' samples at the same argument,
// and an empty cell where one has none. Only the header when there is no such
// series.
std::string ChartCsv(TDiagram& chart, const TCsvColumns& columns);

// Asks for a file name (initially "Диаграмма.csv"), asks before replacing an
// existing file, then writes the chart's CSV. Returns whether a file was
// written.
bool SaveChartCsv(TDiagram& chart, const TCsvColumns& columns, QWidget* parent);
