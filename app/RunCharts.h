#pragma once
// The two charts of a run as the bench shows them, on its page and in the
// report: the filter's input in volts, its output in millivolts, against
// time in milliseconds, with their titles, axis names and faces.

#include <QImage>
#include <vector>

#include "chart/TDiagram.h"

struct CBenchRun;
struct CKeptOutput;

// The charts' size as the window lays them out, pixels.
constexpr int RunChartWidth = 760;
constexpr int RunChartHeight = 250;

// The bench's faces for a chart's title, axis names and tick labels.
void SetChartFaces(TDiagram& chart);

// Titles chart as the output chart if output, else as the input chart.
void SetUpRunChart(TDiagram& chart, bool output);

// The part of a run a chart shows: its time and value ranges.
struct TChartView {
    double Xmin, Xmax; // ms
    double Ymin, Ymax; // V or mV
    // Room left and right of the net, which the page's two charts share so
    // that one time stands at one x on both.
    TNetMargins Margins;
};
TChartView ViewOf(const TDiagram& chart);

// A chart of run drawn afresh, as the window would show it with view, at
// device pixel ratio ratio: the input, or the output with the outputs kept
// for comparison as its references, their legend where legend asks (below
// the chart, for print: the picture is then taller by the legend).
QImage RenderRunChart(const CBenchRun& run, bool output, const std::vector<CKeptOutput>& kept,
                      const TChartView& view, qreal ratio,
                      TLegendPlace legend = TLegendPlace::InChart);
