#pragma once
// How Start shows one of the run's sample arrays on a chart: the base series
// points at the array, the time window and its limits are set, the value
// range follows the data, and the output chart keeps its 100 mV floor where
// the run's display asks for it. The chart is drawn once, when all is set,
// so its net rectangle is current when this returns.

#include "bench/CRunDisplay.h"

class TDiagram;

// samples must outlive the chart's use of them (the bench's static arrays).
// output: the filter's output chart, to which the Y floor rule applies.
void ShowRunOnChart(TDiagram& chart, const double* samples, const CRunDisplay& display,
                    bool output);
