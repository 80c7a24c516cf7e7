#pragma once
// The chart of a parameter study, as the study page shows it and the report
// prints it: the efficiency against the filter's parameter, the measured
// values as marks, the theory as a line, the bench's matched filter for the
// signal as a dashed level, and the optimum marked with its value, efficiency
// and loss. Bounds more than a decade apart give a logarithmic parameter axis
// (the chart's x is then log10 of the parameter). Drawn from the record
// alone, so that the report draws it afresh just as the page does.

#include <QImage>
#include <QSize>
#include <QString>

#include "bench/StudyCurve.h"
#include "chart/SeriesLegend.h"

class TDiagram;

// The chart's size on the page as the report draws it, pixels.
constexpr int StudyChartWidth = 760;
constexpr int StudyChartHeight = 300;

// Samples of the theory's series beyond either bound of the study, carried
// on in a straight line, so that the curve reaches the net's edges.
constexpr int StudyCurvePad = 10;

// The series of a study chart, in list order (and so in the legend's).
enum StudySeries { ssMeasured = 0, ssTheory = 1, ssMatched = 2, StudySeriesCount = 3 };

// Faces, title and axis names for a study of filterItem: "η" against the
// parameter's symbol and unit ("τ, мс", "fc, Гц"), taken from BenchParameters.
void SetUpStudyChart(TDiagram& chart, int filterItem);

// The parameter axis's name for filterItem: "τ, мс".
QString StudyAxisName(int filterItem);

// The optimum's note, two lines with decimal commas:
// "τ = 79,4 мс\nη = 0,815 (−0,89 дБ)". The value keeps three significant
// digits, or all of its integer digits.
QString StudyOptimumText(int filterItem, const CStudyOptimum& optimum);

// The chart's x for a parameter value: log10 of it on a logarithmic axis.
double StudyChartX(const CStudyRequest& request, double value);

// Shows record on chart (title, axes, series, ranges, limits and the
// optimum's note in one drawing); curve is the theory of record's request
// (StudyTheoryCurve). A record without points shows the empty axes of its
// request.
void ShowStudy(TDiagram& chart, const CStudyRecord& record, const CStudyCurve& curve);
// The same, the curve worked out here.
void ShowStudy(TDiagram& chart, const CStudyRecord& record);

// The chart of record drawn afresh for a document: size in pixels at device
// pixel ratio ratio, black on white (series told apart by their marks and
// dashes), the legend where legend asks (below: the picture grows by it).
QImage RenderStudyChart(const CStudyRecord& record, QSize size, qreal ratio,
                        TLegendPlace legend = TLegendPlace::BelowChart);
