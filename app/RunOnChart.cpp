#include "app/RunOnChart.h"

#include "bench/CBenchRun.h"
#include "chart/TDiagram.h"

void ShowRunOnChart(TDiagram& chart, const CBenchRun& run, bool output) {
    const CRunDisplay& display = run.Display;
    // The settings below make one drawing at the end, the new data included.
    TDiagramBatch batch(chart);
    TKeeper* k = chart.GetKeeper(0);
    k->SetData(output ? run.Output : run.Input, run.Count, run.ArgMin, run.ArgMax);
    k->Show();
    chart.SetRangeX(display.RangeXmin, display.RangeXmax);
    chart.SetLimitX(display.LimitXmin, display.LimitXmax);
    // Every series of the chart counts, the output's reference curves too,
    // so that none of them is cut off by the new run's range.
    chart.AutoRangeY();
    if (output && display.RaiseOutputYmax(chart.GetYmax())) {
        chart.SetYmax(display.OutputYFloor);
    }
    chart.ShowDiagram();
}
