#pragma once
// How Start shows a run on a chart: the base series points at one of the
// run's sample arrays, the time window and its limits are set, the value
// range follows the data, and the output chart keeps its 100 mV floor where
// the run's display asks for it. The chart is drawn once, when all is set,
// so its net rectangle is current when this returns.

struct CBenchRun;
class TDiagram;

// The run's samples must outlive the chart's use of them (the bench's static
// arrays, for Start). output: the filter's output chart, which shows the
// run's output and to which the Y floor rule applies; else its input.
void ShowRunOnChart(TDiagram& chart, const CBenchRun& run, bool output);
