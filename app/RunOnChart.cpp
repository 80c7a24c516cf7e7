#include "app/RunOnChart.h"

#include "chart/TDiagram.h"

void ShowRunOnChart(TDiagram& chart, const double* samples, const CRunDisplay& display,
                    bool output) {
    TKeeper* k = chart.GetKeeper(0);
    k->SetData(samples, display.Count, display.ArgMin, display.ArgMax);
    // Hidden while the x range changes, so that those redraws skip the series.
    k->Hide();
    chart.SetRangeX(display.RangeXmin, display.RangeXmax);
    chart.SetLimitX(display.LimitXmin, display.LimitXmax);
    if (!output || display.OutputYFromData) {
        k->Show();
        chart.AutoRangeY();
        return;
    }
    chart.AutoRangeY();
    k->Show();
    if (display.RaiseOutputYmax(chart.GetYmax())) {
        chart.SetYmax(display.OutputYFloor);
    } else {
        chart.ShowDiagram();
    }
}
